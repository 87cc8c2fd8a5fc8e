#pragma once

#include "platform/PowerActions.h"
#include "platform/linux/BusAnswerProbe.h"

#include <QDBusConnection>
#include <QElapsedTimer>
#include <QObject>
#include <QStringList>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class QDBusMessage;
class QProcess;

// Power off and restart through systemd-logind (or elogind) on the system bus. When logind refuses or is
// not there, the system tool `shutdown` is started, then our own login session is ended: the tool first,
// since ending the session ends this program too. All calls are asynchronous, and the bus is connected
// to only once its daemon has answered, so a stuck bus never holds the clock: one that does not answer
// within `AnswerLimit` counts as a refusal.
class LogindPowerActions : public platform::PowerActions {
public:
    static inline const QStringList SystemToolFolders{QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")};
    static constexpr std::chrono::seconds AnswerLimit{5};

    // `bus` is asked for the connection at the first request whose probe of the system bus's address
    // was answered, so a clock that never schedules holds none.
    // The tool is looked for on PATH, then in `toolFolders`; it is started again only after it ended and
    // `toolRest` has passed since its last start.
    explicit LogindPowerActions(std::function<QDBusConnection()> bus = &QDBusConnection::systemBus,
                                QStringList toolFolders = SystemToolFolders,
                                std::chrono::milliseconds toolRest = std::chrono::seconds(5));
    ~LogindPowerActions() override;

    bool request(platform::PowerAction action, Answer answer) override;

private:
    void reachBus(std::function<void()> then);
    void call(const QDBusMessage& message, std::function<void(const QDBusMessage& reply)> then);
    void fallBack();
    void startTool();
    void endOwnSession();
    void finish(bool accepted);

    const std::function<QDBusConnection()> bus_;
    const QStringList toolFolders_;
    const std::chrono::milliseconds toolRest_;
    std::optional<QDBusConnection> connection_; // once the bus has answered
    platform::PowerAction action_ = platform::PowerAction::PowerOff;
    Answer answer_; // set while a request is unanswered
    QProcess* tool_ = nullptr;
    QElapsedTimer sinceToolStart_;
    // Owns the pending calls' watchers, and with them the replies that would outlive this object.
    QObject calls_;
    std::unique_ptr<BusAnswerProbe> probe_;
};
