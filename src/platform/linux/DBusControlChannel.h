#pragma once

#include "platform/ControlChannel.h"
#include "platform/linux/BusAnswerProbe.h"

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

// The actions from outside over the session bus: the standard org.freedesktop.Application interface
// at ObjectPath, under the name ServiceName. A second clock waits in line for the name and gets it
// when the first ends; without a bus, or with one that does not answer, the clock runs without it.
class DBusControlChannel : public platform::ControlChannel {
public:
    static inline const QString ServiceName = QStringLiteral("io.github.dialtop.Dialtop");
    static inline const QString ObjectPath = QStringLiteral("/io/github/dialtop/Dialtop");
    static constexpr std::chrono::seconds AnswerLimit{5};

    // `bus` is asked for the connection once the probe of the session bus's address was answered.
    explicit DBusControlChannel(std::function<QDBusConnection()> bus = &QDBusConnection::sessionBus);
    ~DBusControlChannel() override;

    // The bus is looked for once the event loop runs, so that the start shows the clock first.
    void serve(Handler handler) override;

private:
    class Exported;

    void probe();
    void exportOn(const QDBusConnection& bus);

    const std::function<QDBusConnection()> bus_;
    Handler handler_;
    // Lives in this thread; the actions reach the handler through its event queue.
    QObject context_;
    std::unique_ptr<BusAnswerProbe> probe_;
    std::optional<QDBusConnection> connection_; // once the object is exported
    std::unique_ptr<Exported> exported_;
};
