#include "platform/linux/StatusNotifierHostWatch.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QLoggingCategory>

namespace {

Q_LOGGING_CATEGORY(lcTray, "dialtop.tray", QtWarningMsg)

const QString Watcher = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString WatcherPath = QStringLiteral("/StatusNotifierWatcher");

} // namespace

StatusNotifierHostWatch::StatusNotifierHostWatch() {
    const QString address = SessionBusAddress();
    if (address.isEmpty()) {
        settled_ = true;
        return;
    }
    probe_ = std::make_unique<BusAnswerProbe>(address, AnswerLimit, [this](bool answered) {
        if (!answered) {
            qCInfo(lcTray) << "the session bus does not answer";
            settled_ = true;
            return;
        }
        watch();
    });
}

StatusNotifierHostWatch::~StatusNotifierHostWatch() = default;

void StatusNotifierHostWatch::watch() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        settled_ = true;
        return;
    }
    auto* owners = new QDBusServiceWatcher(Watcher, bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(owners, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& owner) {
                ++watcher_;
                registered_ = false;
                if (owner.isEmpty())
                    settled_ = true;
                else
                    ask();
            });
    // A panel may register as a host with a watcher that runs already, and leave it running.
    for (const QString& hostChange :
         {QStringLiteral("StatusNotifierHostRegistered"), QStringLiteral("StatusNotifierHostUnregistered")})
        bus.connect(Watcher, WatcherPath, Watcher, hostChange, this, SLOT(ask()));
    ask();
}

void StatusNotifierHostWatch::ask() {
    const QDBusMessage get = QDBusMessage::createMethodCall(Watcher, WatcherPath,
                                                            QStringLiteral("org.freedesktop.DBus.Properties"),
                                                            QStringLiteral("Get"))
                             << Watcher << QStringLiteral("IsStatusNotifierHostRegistered");
    auto* reply = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(get), this);
    connect(reply, &QDBusPendingCallWatcher::finished, this, [this, reply, asked = watcher_] {
        reply->deleteLater();
        if (asked != watcher_)
            return;
        // No watcher at all answers with an error, which counts as no host.
        registered_ = QDBusPendingReply<QDBusVariant>(*reply).value().variant().toBool();
        settled_ = true;
        qCDebug(lcTray) << "StatusNotifierItem host registered:" << registered_;
    });
}
