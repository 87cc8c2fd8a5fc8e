#include "platform/linux/DBusControlChannel.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVirtualObject>
#include <QLoggingCategory>
#include <QTimer>

#include <utility>

namespace {

Q_LOGGING_CATEGORY(lcControl, "dialtop.control", QtWarningMsg)

const QString ApplicationInterface = QStringLiteral("org.freedesktop.Application");

QDBusMessage BusCall(const QString& method) {
    return QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"),
                                          QStringLiteral("/org/freedesktop/DBus"),
                                          QStringLiteral("org.freedesktop.DBus"), method);
}

} // namespace

// The object on the bus. Qt may hand it messages on its D-Bus thread: it reads nothing that changes
// and passes each action to the channel's thread.
class DBusControlChannel::Exported : public QDBusVirtualObject {
public:
    Exported(QObject& context, Handler& handler) : context_(context), handler_(handler) {}

    QString introspect(const QString&) const override {
        return QStringLiteral(
            "<interface name=\"org.freedesktop.Application\">"
            "<method name=\"Activate\"><arg type=\"a{sv}\" name=\"platform_data\" direction=\"in\"/></method>"
            "<method name=\"Open\"><arg type=\"as\" name=\"uris\" direction=\"in\"/>"
            "<arg type=\"a{sv}\" name=\"platform_data\" direction=\"in\"/></method>"
            "<method name=\"ActivateAction\"><arg type=\"s\" name=\"action_name\" direction=\"in\"/>"
            "<arg type=\"av\" name=\"parameter\" direction=\"in\"/>"
            "<arg type=\"a{sv}\" name=\"platform_data\" direction=\"in\"/></method>"
            "</interface>");
    }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        if (message.interface() != ApplicationInterface && !message.interface().isEmpty())
            return false;
        const QString member = message.member();
        if (member == QLatin1String("Activate") && message.signature() == QLatin1String("a{sv}"))
            return run(platform::ControlAction::Show, message, connection);
        if (member == QLatin1String("ActivateAction") && message.signature() == QLatin1String("sava{sv}")) {
            const QString name = message.arguments().value(0).toString();
            if (const auto action = platform::ControlActionNamed(name.toStdString()))
                return run(*action, message, connection);
            return refuse(QDBusError::InvalidArgs,
                          QStringLiteral("No action \"%1\"; the actions are %2")
                              .arg(name, QString::fromStdString(platform::ControlActionList())),
                          message, connection);
        }
        if (member == QLatin1String("Open") && message.signature() == QLatin1String("asa{sv}"))
            return refuse(QDBusError::NotSupported, QStringLiteral("Dialtop opens no files"), message,
                          connection);
        if (member == QLatin1String("Activate") || member == QLatin1String("ActivateAction") ||
            member == QLatin1String("Open"))
            return refuse(QDBusError::InvalidArgs, QStringLiteral("Wrong arguments: ") + message.signature(),
                          message, connection);
        return false;
    }

private:
    // The answer goes out first: an action may end the program.
    bool run(platform::ControlAction action, const QDBusMessage& message, const QDBusConnection& connection) {
        connection.send(message.createReply());
        QMetaObject::invokeMethod(
            &context_,
            [&handler = handler_, action] {
                if (handler)
                    handler(action);
            },
            Qt::QueuedConnection);
        return true;
    }

    static bool refuse(QDBusError::ErrorType type, const QString& text, const QDBusMessage& message,
                       const QDBusConnection& connection) {
        connection.send(message.createErrorReply(type, text));
        return true;
    }

    QObject& context_;
    Handler& handler_;
};

DBusControlChannel::DBusControlChannel(std::function<QDBusConnection()> bus) : bus_(std::move(bus)) {}

DBusControlChannel::~DBusControlChannel() {
    if (!connection_)
        return;
    connection_->unregisterObject(ObjectPath);
    // The next clock in line takes over at once, even while this connection stays open.
    connection_->send(BusCall(QStringLiteral("ReleaseName")) << ServiceName);
}

void DBusControlChannel::serve(Handler handler) {
    handler_ = std::move(handler);
    QTimer::singleShot(0, &context_, [this] { probe(); });
}

void DBusControlChannel::probe() {
    if (probe_ || connection_)
        return;
    const QString address = SessionBusAddress();
    if (address.isEmpty()) {
        qCInfo(lcControl) << "no session bus: the clock cannot be controlled from outside";
        return;
    }
    probe_ = std::make_unique<BusAnswerProbe>(address, AnswerLimit, [this, address](bool answered) {
        if (!answered) {
            // As common as no bus at all on a bare X session without one (the socket is not there).
            qCInfo(lcControl).noquote() << "the session bus at" << address
                                        << "does not answer: the clock cannot be controlled from outside";
            return;
        }
        if (const QDBusConnection bus = bus_(); bus.isConnected())
            exportOn(bus);
        else
            qCWarning(lcControl).noquote()
                << "no connection to the session bus:" << bus.lastError().message();
    });
}

void DBusControlChannel::exportOn(const QDBusConnection& bus) {
    connection_ = bus;
    exported_ = std::make_unique<Exported>(context_, handler_);
    if (!connection_->registerVirtualObject(ObjectPath, exported_.get())) {
        qCWarning(lcControl).noquote() << "cannot export" << ObjectPath;
        connection_.reset();
        return;
    }
    // Queued, never replacing: a second clock is a clock of its own and waits in line for the name.
    auto* watcher = new QDBusPendingCallWatcher(
        connection_->asyncCall(BusCall(QStringLiteral("RequestName")) << ServiceName << 0u), &context_);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, &context_, [watcher] {
        watcher->deleteLater();
        const QDBusPendingReply<uint> reply = *watcher;
        if (reply.isError())
            qCWarning(lcControl).noquote()
                << "the name" << ServiceName << "was refused:" << reply.error().message();
        else if (reply.value() == 2)
            qCInfo(lcControl).noquote() << "waiting in line for" << ServiceName << "behind another clock";
        else
            qCInfo(lcControl).noquote() << "serving as" << ServiceName;
    });
}
