#pragma once

#include "platform/GlobalShortcuts.h"
#include "platform/linux/BusAnswerProbe.h"

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QVariantMap>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class QDBusMessage;

// Shortcuts held by the desktop's GlobalShortcuts portal, asked for only in a Wayland session
// (WAYLAND_DISPLAY set). Every call is asynchronous and the session bus is connected to only once its
// daemon has answered. A portal without the interface, a cancelled or failed request, or no complete
// answer within `AnswerLimit` is a refusal.
class PortalGlobalShortcuts : public platform::GlobalShortcuts {
public:
    static constexpr std::chrono::seconds ProbeLimit{5};
    static constexpr std::chrono::seconds AnswerLimit{120};

    // `bus` is asked for the connection once the probe of the session bus's address was answered.
    explicit PortalGlobalShortcuts(std::function<QDBusConnection()> bus = &QDBusConnection::sessionBus);
    ~PortalGlobalShortcuts() override;

    // One binding per run: a later call drops the answer to an earlier one.
    bool bind(const std::vector<Wanted>& shortcuts, Answer answer) override;
    void setActivationHandler(ActivationHandler handler) override { onActivated_ = std::move(handler); }

private:
    using Response = std::function<void(const QVariantMap& results)>;

    void createSession();
    void bindShortcuts();
    void listShortcuts();
    void request(const QString& method, QVariantList arguments, QVariantMap options, Response then);
    void call(const QDBusMessage& message, std::function<void(const QDBusMessage& reply)> then);
    void activated(const QDBusMessage& signal);
    void answerWith(const QVariantMap& results);
    void refuse(const QString& why);
    void dropCalls();
    void closeSession();

    const std::function<QDBusConnection()> bus_;
    std::optional<QDBusConnection> connection_;
    QVariant wanted_; // the shortcuts as the portal takes them
    Answer answer_;   // set while a binding is unanswered
    ActivationHandler onActivated_;
    QString session_;
    int requests_ = 0;
    std::unique_ptr<BusAnswerProbe> probe_;
    QTimer deadline_;
    // Owns the watchers and signal receivers, and with them whatever would outlive this object.
    std::unique_ptr<QObject> calls_ = std::make_unique<QObject>();
};
