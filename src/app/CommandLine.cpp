#include "app/CommandLine.h"

#include "platform/ControlChannel.h"
#include "platform/linux/BusAnswerProbe.h"
#include "platform/linux/DBusControlChannel.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QVariantList>
#include <QVariantMap>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// A stuck bus or clock must not hold the shell that asked.
constexpr std::chrono::seconds AnswerLimit{10};

constexpr int Done = 0;
constexpr int NotDone = 1;
constexpr int BadUsage = 2;

void PrintUsage(std::FILE* to) {
    std::fprintf(to,
                 "Usage: dialtop [Qt options]      start the clock\n"
                 "       dialtop --action NAME     ask the running clock for an action\n"
                 "       dialtop --help | --version\n"
                 "Actions: %s\n",
                 platform::ControlActionList().c_str());
}

int Fail(const QString& text) {
    std::fprintf(stderr, "dialtop: %s\n", qPrintable(text));
    return NotDone;
}

// ActivateAction on the clock that owns the name on the session bus.
int AskRunningClock(int argc, char** argv, const std::string& action) {
    QCoreApplication app(argc, argv);
    const QString address = SessionBusAddress();
    if (address.isEmpty())
        return Fail(QStringLiteral("no session bus to find the running clock on (DBUS_SESSION_BUS_ADDRESS "
                                   "and XDG_RUNTIME_DIR are unset)"));
    int status = NotDone;
    BusAnswerProbe probe(address, AnswerLimit, [&](bool answered) {
        if (!answered) {
            status = Fail(QStringLiteral("the session bus at %1 does not answer").arg(address));
            return QCoreApplication::exit();
        }
        const QDBusConnection bus = QDBusConnection::connectToBus(address, QStringLiteral("dialtop-action"));
        if (!bus.isConnected()) {
            status = Fail(QStringLiteral("cannot connect to the session bus at %1: %2")
                              .arg(address, bus.lastError().message()));
            return QCoreApplication::exit();
        }
        QDBusMessage call = QDBusMessage::createMethodCall(
            DBusControlChannel::ServiceName, DBusControlChannel::ObjectPath,
            QStringLiteral("org.freedesktop.Application"), QStringLiteral("ActivateAction"));
        call << QString::fromStdString(action) << QVariantList() << QVariantMap();
        const int limitMs = static_cast<int>(std::chrono::milliseconds(AnswerLimit).count());
        auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, limitMs), &app);
        QObject::connect(watcher, &QDBusPendingCallWatcher::finished, &app, [&, watcher] {
            const QDBusError error = watcher->error();
            if (!error.isValid())
                status = Done;
            else if (error.type() == QDBusError::ServiceUnknown ||
                     error.name() == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner"))
                status = Fail(QStringLiteral("no running Dialtop: nothing owns %1 on the session bus at %2")
                                  .arg(DBusControlChannel::ServiceName, address));
            else
                status = Fail(QStringLiteral("the running Dialtop (%1 on the session bus at %2) did not take "
                                             "\"%3\": %4")
                                  .arg(DBusControlChannel::ServiceName, address,
                                       QString::fromStdString(action), error.message()));
            QCoreApplication::exit();
        });
    });
    app.exec();
    return status;
}

} // namespace

std::optional<int> RunCommandLine(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const auto ours = [](const std::string& argument) {
        return argument == "--help" || argument == "--version" || argument.starts_with("--action");
    };
    if (std::none_of(arguments.begin(), arguments.end(), ours))
        return std::nullopt;

    if (arguments == std::vector<std::string>{"--help"}) {
        PrintUsage(stdout);
        return Done;
    }
    if (arguments == std::vector<std::string>{"--version"}) {
        std::printf("dialtop %s\n", DIALTOP_VERSION);
        return Done;
    }
    std::string action;
    if (arguments.size() == 2 && arguments[0] == "--action")
        action = arguments[1];
    else if (arguments.size() == 1 && arguments[0].starts_with("--action="))
        action = arguments[0].substr(9);
    else {
        PrintUsage(stderr);
        return BadUsage;
    }
    if (!platform::ControlActionNamed(action)) {
        std::fprintf(stderr, "dialtop: no action \"%s\"; the actions are %s\n", action.c_str(),
                     platform::ControlActionList().c_str());
        return BadUsage;
    }
    return AskRunningClock(argc, argv, action);
}
