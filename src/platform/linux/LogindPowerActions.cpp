#include "platform/linux/LogindPowerActions.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QLoggingCategory>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include <unistd.h>
#include <utility>

namespace {

Q_LOGGING_CATEGORY(lcPower, "dialtop.power", QtWarningMsg)

const QString Login1 = QStringLiteral("org.freedesktop.login1");
const QString Manager = QStringLiteral("org.freedesktop.login1.Manager");

QDBusMessage managerCall(const QString& method) {
    return QDBusMessage::createMethodCall(Login1, QStringLiteral("/org/freedesktop/login1"), Manager, method);
}

bool failed(const QDBusMessage& reply) {
    if (reply.type() != QDBusMessage::ErrorMessage)
        return false;
    qCInfo(lcPower).noquote() << "refused:" << reply.errorName() << reply.errorMessage();
    return true;
}

} // namespace

LogindPowerActions::LogindPowerActions(std::function<QDBusConnection()> bus, QStringList toolFolders,
                                       std::chrono::milliseconds toolRest)
    : bus_(std::move(bus)), toolFolders_(std::move(toolFolders)), toolRest_(toolRest) {}

LogindPowerActions::~LogindPowerActions() {
    // A tool still at work is left to finish its job: destroying its QProcess would kill it. The
    // process object goes once the tool has ended.
    if (tool_ && tool_->state() != QProcess::NotRunning) {
        tool_->setParent(nullptr);
        QObject::connect(tool_, &QProcess::finished, tool_, &QObject::deleteLater);
    }
}

bool LogindPowerActions::request(platform::PowerAction action, Answer answer) {
    if (answer_)
        return false;
    action_ = action;
    answer_ = std::move(answer);
    const bool powerOff = action == platform::PowerAction::PowerOff;
    qCInfo(lcPower) << (powerOff ? "PowerOff" : "Reboot");
    reachBus([this, powerOff] {
        // Not interactive: a password prompt at every repeat would be worse than a refusal.
        call(managerCall(powerOff ? QStringLiteral("PowerOff") : QStringLiteral("Reboot")) << false,
             [this](const QDBusMessage& reply) {
                 if (failed(reply))
                     fallBack();
                 else
                     finish(true);
             });
    });
    return true;
}

void LogindPowerActions::reachBus(std::function<void()> then) {
    if (connection_ && connection_->isConnected())
        return then();
    probe_ = std::make_unique<BusAnswerProbe>(SystemBusAddress(), AnswerLimit,
                                              [this, then = std::move(then)](bool answered) {
                                                  if (!answered)
                                                      qCInfo(lcPower) << "the system bus does not answer";
                                                  else if (QDBusConnection bus = bus_(); bus.isConnected())
                                                      connection_ = bus;
                                                  then();
                                              });
}

void LogindPowerActions::call(const QDBusMessage& message,
                              std::function<void(const QDBusMessage& reply)> then) {
    if (!connection_) {
        QTimer::singleShot(0, &calls_, [then = std::move(then)] {
            then(QDBusMessage::createError(QDBusError::Disconnected, QStringLiteral("no system bus")));
        });
        return;
    }
    auto* watcher = new QDBusPendingCallWatcher(connection_->asyncCall(message), &calls_);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, &calls_, [watcher, then = std::move(then)] {
        watcher->deleteLater();
        then(watcher->reply());
    });
}

void LogindPowerActions::fallBack() {
    startTool();
    endOwnSession();
}

void LogindPowerActions::startTool() {
    // One tool at a time, and not at every repeat of a refused request.
    if (tool_ && tool_->state() != QProcess::NotRunning)
        return;
    if (sinceToolStart_.isValid() && !sinceToolStart_.hasExpired(toolRest_.count()))
        return;
    QString program = QStandardPaths::findExecutable(QStringLiteral("shutdown"));
    // An empty list would mean PATH again.
    if (program.isEmpty() && !toolFolders_.isEmpty())
        program = QStandardPaths::findExecutable(QStringLiteral("shutdown"), toolFolders_);
    if (program.isEmpty()) {
        qCInfo(lcPower) << "no shutdown tool found";
        return;
    }
    if (!tool_)
        tool_ = new QProcess(&calls_);
    const QString mode =
        action_ == platform::PowerAction::PowerOff ? QStringLiteral("-h") : QStringLiteral("-r");
    qCInfo(lcPower).noquote() << "starting" << program << mode << "now";
    tool_->start(program, {mode, QStringLiteral("now")});
    sinceToolStart_.start();
}

void LogindPowerActions::endOwnSession() {
    call(managerCall(QStringLiteral("GetSessionByPID")) << static_cast<uint>(getpid()),
         [this](const QDBusMessage& session) {
             if (failed(session))
                 return finish(false);
             const QString path = session.arguments().value(0).value<QDBusObjectPath>().path();
             call(QDBusMessage::createMethodCall(
                      Login1, path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"))
                      << QStringLiteral("org.freedesktop.login1.Session") << QStringLiteral("Id"),
                  [this](const QDBusMessage& id) {
                      if (failed(id))
                          return finish(false);
                      const QString name = id.arguments().value(0).value<QDBusVariant>().variant().toString();
                      qCInfo(lcPower).noquote() << "TerminateSession" << name;
                      call(managerCall(QStringLiteral("TerminateSession")) << name,
                           [this](const QDBusMessage& ended) { finish(!failed(ended)); });
                  });
         });
}

void LogindPowerActions::finish(bool accepted) {
    std::exchange(answer_, nullptr)(accepted);
}
