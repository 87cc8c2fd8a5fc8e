#include "platform/linux/DBusControlChannel.h"
#include "support/PrivateBus.h"

#include <QDBusConnectionInterface>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>
#include <vector>

using platform::ControlAction;

namespace {

struct Outcome {
    int status = -1;
    QString out;
    QString err;
};

// The real program with the given arguments and no display at all. The event loop runs meanwhile, for
// a clock's channel in this process to answer.
Outcome Dialtop(const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                       qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS"));
    process.setProcessEnvironment(environment);
    process.start(qEnvironmentVariable("DIALTOP_BINARY"), arguments);
    EXPECT_TRUE(process.waitForStarted(10000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 60000))
        << "still running: " << arguments.join(' ').toStdString();
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

TEST(CommandLine, HelpAndVersionAnswerWithoutADisplay) {
    const Outcome help = Dialtop({QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0) << help.err.toStdString();
    for (const char* name : {"stop-alarm", "penguin", "blank", "show", "exit"})
        EXPECT_TRUE(help.out.contains(QString::fromLatin1(name))) << help.out.toStdString();
    const Outcome version = Dialtop({QStringLiteral("--version")});
    EXPECT_EQ(version.status, 0) << version.err.toStdString();
    EXPECT_EQ(version.out, QStringLiteral("dialtop " DIALTOP_VERSION "\n"));
}

TEST(CommandLine, AnUnknownActionOrBadUsageListsTheActions) {
    for (const QStringList& arguments : {QStringList{"--action", "sleep"}, QStringList{"--action"},
                                         QStringList{"--action=blank", "extra"}}) {
        const Outcome run = Dialtop(arguments);
        EXPECT_EQ(run.status, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("stop-alarm, penguin, blank, show, exit")))
            << run.err.toStdString();
    }
}

TEST(CommandLine, AnActionReachesTheRunningClockOrSaysThereIsNone) {
    PrivateBus bus;
    const Outcome none = Dialtop({QStringLiteral("--action"), QStringLiteral("blank")});
    EXPECT_EQ(none.status, 1);
    EXPECT_TRUE(none.err.contains(DBusControlChannel::ServiceName) && none.err.contains(bus.address))
        << none.err.toStdString();
    EXPECT_EQ(none.err.count(u'\n'), 1) << "one line";

    std::vector<ControlAction> received;
    DBusControlChannel channel([&] { return bus.connect(QStringLiteral("clock")); });
    channel.serve([&](ControlAction action) { received.push_back(action); });
    const QDBusConnection caller = bus.connect(QStringLiteral("caller"));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return caller.interface()->isServiceRegistered(DBusControlChannel::ServiceName).value(); },
        30000));
    const Outcome asked = Dialtop({QStringLiteral("--action=penguin")});
    EXPECT_EQ(asked.status, 0) << asked.err.toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !received.empty(); }, 30000));
    EXPECT_EQ(received, std::vector{ControlAction::Penguin});
}

} // namespace
