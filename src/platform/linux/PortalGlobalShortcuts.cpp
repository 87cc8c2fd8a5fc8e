#include "platform/linux/PortalGlobalShortcuts.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QLoggingCategory>
#include <QTimer>

#include <utility>

namespace {

Q_LOGGING_CATEGORY(lcShortcuts, "dialtop.shortcuts", QtWarningMsg)

const QString Portal = QStringLiteral("org.freedesktop.portal.Desktop");
const QString PortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString Shortcuts = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");

// One entry of the portal's a(sa{sv}) lists.
struct PortalShortcut {
    QString id;
    QVariantMap properties;
};
using PortalShortcuts = QList<PortalShortcut>;

QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcut& shortcut) {
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcut& shortcut) {
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}

} // namespace

Q_DECLARE_METATYPE(PortalShortcut)
Q_DECLARE_METATYPE(PortalShortcuts)

namespace {

// Hands a D-Bus signal to a function: QtDBus delivers signals only to slots.
class SignalReceiver : public QObject {
    Q_OBJECT

public:
    SignalReceiver(QObject& owner, std::function<void(const QDBusMessage&)> handler)
        : QObject(&owner), handler_(std::move(handler)) {}

public slots:
    void receive(const QDBusMessage& signal) { handler_(signal); }

private:
    std::function<void(const QDBusMessage&)> handler_;
};

// The path an object's name takes in a portal path: ":1.42" -> "1_42".
QString SenderPart(const QString& uniqueName) {
    return uniqueName.mid(1).replace(u'.', u'_');
}

// The portal's docs give the session handle as a string; some portals send an object path.
QString PathOf(const QVariant& value) {
    return value.canConvert<QDBusObjectPath>() ? value.value<QDBusObjectPath>().path() : value.toString();
}

// The shortcuts of an answer; none when it lists none or names no list.
PortalShortcuts Listed(const QVariantMap& results) {
    PortalShortcuts listed;
    if (const QVariant list = results.value(QStringLiteral("shortcuts")); list.canConvert<QDBusArgument>())
        list.value<QDBusArgument>() >> listed;
    return listed;
}

} // namespace

PortalGlobalShortcuts::PortalGlobalShortcuts(std::function<QDBusConnection()> bus) : bus_(std::move(bus)) {
    deadline_.setSingleShot(true);
    QObject::connect(&deadline_, &QTimer::timeout, [this] { refuse(QStringLiteral("no answer in time")); });
}

PortalGlobalShortcuts::~PortalGlobalShortcuts() {
    closeSession();
}

bool PortalGlobalShortcuts::bind(const std::vector<Wanted>& shortcuts, Answer answer) {
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return false;
    qDBusRegisterMetaType<PortalShortcut>();
    qDBusRegisterMetaType<PortalShortcuts>();
    PortalShortcuts wanted;
    for (const Wanted& shortcut : shortcuts) {
        wanted.append(
            {QString::fromStdString(shortcut.id),
             {{QStringLiteral("description"), QString::fromStdString(shortcut.description)},
              {QStringLiteral("preferred_trigger"), QString::fromStdString(shortcut.preferredTrigger)}}});
    }
    wanted_ = QVariant::fromValue(wanted);
    answer_ = std::move(answer);
    dropCalls();
    closeSession();
    deadline_.start(AnswerLimit);
    probe_ = std::make_unique<BusAnswerProbe>(SessionBusAddress(), ProbeLimit, [this](bool answered) {
        if (!answered)
            return refuse(QStringLiteral("the session bus does not answer"));
        if (QDBusConnection bus = bus_(); bus.isConnected())
            connection_ = bus;
        else
            return refuse(QStringLiteral("no session bus"));
        // A portal without the interface has no version to tell.
        call(QDBusMessage::createMethodCall(
                 Portal, PortalPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"))
                 << Shortcuts << QStringLiteral("version"),
             [this](const QDBusMessage& version) {
                 if (version.type() == QDBusMessage::ErrorMessage)
                     return refuse(QStringLiteral("no global shortcuts: ") + version.errorMessage());
                 createSession();
             });
    });
    return true;
}

void PortalGlobalShortcuts::createSession() {
    auto* receiver = new SignalReceiver(*calls_, [this](const QDBusMessage& signal) { activated(signal); });
    connection_->connect(Portal, PortalPath, Shortcuts, QStringLiteral("Activated"), receiver,
                         SLOT(receive(QDBusMessage)));
    // A fixed session token names the desktop's record of our shortcuts; some desktops register only
    // the shortcuts given here.
    request(QStringLiteral("CreateSession"), {},
            {{QStringLiteral("session_handle_token"), QStringLiteral("dialtop")},
             {QStringLiteral("shortcuts"), wanted_}},
            [this](const QVariantMap& results) {
                session_ = PathOf(results.value(QStringLiteral("session_handle")));
                bindShortcuts();
            });
}

void PortalGlobalShortcuts::bindShortcuts() {
    request(QStringLiteral("BindShortcuts"),
            {QVariant::fromValue(QDBusObjectPath(session_)), wanted_, QString()}, {},
            [this](const QVariantMap& results) {
                // Some desktops answer the bind with no list; theirs comes from ListShortcuts.
                if (Listed(results).isEmpty())
                    listShortcuts();
                else
                    answerWith(results);
            });
}

void PortalGlobalShortcuts::listShortcuts() {
    request(QStringLiteral("ListShortcuts"), {QVariant::fromValue(QDBusObjectPath(session_))}, {},
            [this](const QVariantMap& results) { answerWith(results); });
}

void PortalGlobalShortcuts::request(const QString& method, QVariantList arguments, QVariantMap options,
                                    Response then) {
    // The answer comes as the Response of a Request object whose path follows from our name and the
    // token: listen there before calling, so that no answer comes before anyone listens.
    const QString token = QStringLiteral("dialtop%1").arg(++requests_);
    options.insert(QStringLiteral("handle_token"), token);
    const QString path = QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2")
                             .arg(SenderPart(connection_->baseService()), token);
    auto* receiver =
        new SignalReceiver(*calls_, [this, method, then = std::move(then)](const QDBusMessage& response) {
            const QVariantList answer = response.arguments();
            const uint code = answer.value(0).toUInt();
            if (code != 0)
                return refuse(QStringLiteral("%1 answered %2").arg(method).arg(code));
            then(qdbus_cast<QVariantMap>(answer.value(1)));
        });
    const auto listen = [this, receiver](const QString& at) {
        connection_->connect(Portal, at, QStringLiteral("org.freedesktop.portal.Request"),
                             QStringLiteral("Response"), receiver, SLOT(receive(QDBusMessage)));
    };
    listen(path);
    QDBusMessage message = QDBusMessage::createMethodCall(Portal, PortalPath, Shortcuts, method);
    message.setArguments(arguments << options);
    call(message, [this, method, path, listen](const QDBusMessage& reply) {
        if (reply.type() == QDBusMessage::ErrorMessage)
            return refuse(method + QStringLiteral(" failed: ") + reply.errorMessage());
        // Older portals may place the request elsewhere than its token says.
        if (const QString handle = PathOf(reply.arguments().value(0)); handle != path)
            listen(handle);
    });
}

void PortalGlobalShortcuts::call(const QDBusMessage& message,
                                 std::function<void(const QDBusMessage& reply)> then) {
    auto* watcher = new QDBusPendingCallWatcher(connection_->asyncCall(message), calls_.get());
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, calls_.get(),
                     [watcher, then = std::move(then)] {
                         watcher->deleteLater();
                         then(watcher->reply());
                     });
}

void PortalGlobalShortcuts::activated(const QDBusMessage& signal) {
    const QVariantList arguments = signal.arguments();
    if (PathOf(arguments.value(0)) != session_ || session_.isEmpty() || !onActivated_)
        return;
    onActivated_(arguments.value(1).toString().toStdString());
}

void PortalGlobalShortcuts::answerWith(const QVariantMap& results) {
    std::vector<Bound> bound;
    for (const PortalShortcut& shortcut : Listed(results)) {
        const QString trigger = shortcut.properties.value(QStringLiteral("trigger_description")).toString();
        qCInfo(lcShortcuts).noquote() << "bound" << shortcut.id << trigger;
        bound.push_back({shortcut.id.toStdString(), trigger.toStdString()});
    }
    deadline_.stop();
    if (Answer answer = std::exchange(answer_, nullptr))
        answer(bound);
}

void PortalGlobalShortcuts::refuse(const QString& why) {
    Answer answer = std::exchange(answer_, nullptr);
    if (!answer)
        return;
    qCInfo(lcShortcuts).noquote() << "refused:" << why;
    deadline_.stop();
    dropCalls();
    // A session the desktop opened but never finished binding would keep its shortcuts there.
    closeSession();
    answer(std::nullopt);
}

void PortalGlobalShortcuts::closeSession() {
    if (connection_ && !session_.isEmpty())
        connection_->asyncCall(QDBusMessage::createMethodCall(
            Portal, session_, QStringLiteral("org.freedesktop.portal.Session"), QStringLiteral("Close")));
    session_.clear();
}

void PortalGlobalShortcuts::dropCalls() {
    // A call's own handler may be what drops it.
    calls_.release()->deleteLater();
    calls_ = std::make_unique<QObject>();
}

#include "PortalGlobalShortcuts.moc"
