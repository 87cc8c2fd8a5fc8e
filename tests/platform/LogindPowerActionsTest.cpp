#include "platform/linux/LogindPowerActions.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>
#include <optional>
#include <ostream>

using platform::PowerAction;
using namespace std::chrono_literals;

// Readable failures.
static void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

const QString Login1 = QStringLiteral("org.freedesktop.login1");
const QString Manager = QStringLiteral("org.freedesktop.login1.Manager");

// A private dbus-daemon standing in for the system bus, with python3-dbusmock's logind on demand, and
// a recording stand-in for the shutdown tool as the only thing on PATH. Nothing here can reach the
// machine's own logind or tool: the service is handed the private bus, PATH holds only the stand-in
// and the fixed system folders are switched off.
class LogindPowerActionsTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        daemon.start(
            QStringLiteral("/usr/bin/dbus-daemon"),
            {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        ASSERT_TRUE(daemon.waitForReadyRead(10000)) << "no private dbus-daemon";
        address = QString::fromUtf8(daemon.readLine()).trimmed();
        bus.emplace(QDBusConnection::connectToBus(address, QStringLiteral("private-system-bus")));
        ASSERT_TRUE(bus->isConnected());

        savedPath = qgetenv("PATH");
        qputenv("PATH", folder.path().toLocal8Bit());
        standIn(0);
    }

    void TearDown() override {
        qputenv("PATH", savedPath);
        if (logind.state() != QProcess::NotRunning) {
            logind.terminate();
            logind.waitForFinished(5000);
        }
        bus.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("private-system-bus"));
        daemon.kill();
        daemon.waitForFinished(5000);
    }

    // The stand-in records its arguments when it starts and "done" when it ends, `seconds` later.
    void standIn(int seconds) {
        const QString path = folder.filePath(QStringLiteral("shutdown"));
        QFile script(path);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly | QIODevice::Truncate));
        script.write(QStringLiteral("#!/bin/sh\necho \"$*\" >> '%1'\n/bin/sleep %2\necho done >> '%1'\n")
                         .arg(folder.filePath(QStringLiteral("tool.txt")))
                         .arg(seconds)
                         .toLocal8Bit());
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void startLogind() {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), address);
        logind.setProcessEnvironment(environment);
        logind.start(QStringLiteral("/usr/bin/python3"),
                     {QStringLiteral("-m"), QStringLiteral("dbusmock"), QStringLiteral("--system"),
                      QStringLiteral("--template"), QStringLiteral("logind"), QStringLiteral("-l"),
                      folder.filePath(QStringLiteral("logind.txt"))});
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return bus->interface()->isServiceRegistered(Login1).value(); }, 20000))
            << "dbusmock's logind did not come";
    }

    void mock(const QString& method, const QVariantList& arguments) {
        QDBusMessage call =
            QDBusMessage::createMethodCall(Login1, QStringLiteral("/org/freedesktop/login1"),
                                           QStringLiteral("org.freedesktop.DBus.Mock"), method);
        call.setArguments(arguments);
        const QDBusMessage reply = bus->call(call);
        ASSERT_NE(reply.type(), QDBusMessage::ErrorMessage) << reply.errorMessage().toStdString();
    }

    // PowerOff and Reboot refuse as logind does for a user that polkit would have to ask; our process
    // belongs to session "c1".
    void refuseAndOfferSession() {
        const QString refusal =
            QStringLiteral("raise dbus.exceptions.DBusException('Interactive authentication required.', "
                           "name='org.freedesktop.DBus.Error.InteractiveAuthorizationRequired')");
        for (const QString& method : {QStringLiteral("PowerOff"), QStringLiteral("Reboot")})
            mock(QStringLiteral("AddMethod"), {Manager, method, QStringLiteral("b"), QString(), refusal});
        mock(QStringLiteral("AddMethod"),
             {Manager, QStringLiteral("GetSessionByPID"), QStringLiteral("u"), QStringLiteral("o"),
              QStringLiteral("ret = '/org/freedesktop/login1/session/c1'")});
        mock(QStringLiteral("AddSession"),
             {QStringLiteral("c1"), QStringLiteral("seat0"), 1000u, QStringLiteral("tester"), true});
    }

    // Lines of a record file, or of the logind log for one method ("PowerOff False").
    QStringList lines(const QString& name, const QString& method = {}) const {
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringList found;
        for (const QByteArray& line : file.readAll().split('\n')) {
            const QString text = QString::fromUtf8(line);
            if (method.isEmpty() && !text.isEmpty())
                found << text;
            // "<time> <method> <arguments>"; the mock also logs the errors it raises.
            else if (!method.isEmpty() &&
                     text.section(QLatin1Char(' '), 1).startsWith(method + QLatin1Char(' ')) &&
                     !text.contains(QStringLiteral(" raised: ")))
                found << text.section(QLatin1Char(' '), 1);
        }
        return found;
    }
    QStringList tool() const { return lines(QStringLiteral("tool.txt")); }
    QStringList logindCalls(const QString& method) const {
        return lines(QStringLiteral("logind.txt"), method);
    }

    std::optional<bool> ask(LogindPowerActions& actions, PowerAction action) {
        std::optional<bool> answer;
        EXPECT_TRUE(actions.request(action, [&](bool accepted) { answer = accepted; }));
        EXPECT_TRUE(QTest::qWaitFor([&] { return answer.has_value(); }, 20000)) << "no answer";
        return answer;
    }

    QTemporaryDir folder;
    QProcess daemon;
    QProcess logind;
    QString address;
    std::optional<QDBusConnection> bus;
    QByteArray savedPath;
};

TEST_F(LogindPowerActionsTest, AnAcceptedRequestIsOneCallToLogindAndNothingElse) {
    startLogind();
    LogindPowerActions actions(*bus, {});
    std::optional<bool> answer;
    ASSERT_TRUE(actions.request(PowerAction::PowerOff, [&](bool accepted) { answer = accepted; }));
    EXPECT_FALSE(actions.request(PowerAction::PowerOff, [](bool) {
        FAIL() << "a second request was answered";
    })) << "a second request while the first is unanswered";
    ASSERT_TRUE(QTest::qWaitFor([&] { return answer.has_value(); }, 20000));
    EXPECT_TRUE(*answer);
    EXPECT_EQ(ask(actions, PowerAction::Reboot), true);

    EXPECT_EQ(logindCalls(QStringLiteral("PowerOff")), QStringList{QStringLiteral("PowerOff False")});
    EXPECT_EQ(logindCalls(QStringLiteral("Reboot")), QStringList{QStringLiteral("Reboot False")});
    EXPECT_TRUE(logindCalls(QStringLiteral("TerminateSession")).isEmpty());
    EXPECT_TRUE(tool().isEmpty());
}

TEST_F(LogindPowerActionsTest, ARefusalStartsTheToolAndEndsOurOwnSession) {
    startLogind();
    refuseAndOfferSession();
    LogindPowerActions actions(*bus, {});
    EXPECT_EQ(ask(actions, PowerAction::PowerOff), true) << "the session's end was accepted";
    EXPECT_EQ(logindCalls(QStringLiteral("PowerOff")), QStringList{QStringLiteral("PowerOff False")});
    EXPECT_EQ(logindCalls(QStringLiteral("TerminateSession")),
              QStringList{QStringLiteral("TerminateSession \"c1\"")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return tool().size() == 2; }, 10000)) << tool().join(' ').toStdString();
    EXPECT_EQ(tool(), (QStringList{QStringLiteral("-h now"), QStringLiteral("done")}));
}

TEST_F(LogindPowerActionsTest, ARefusedRebootStartsTheToolWithTheRestartSwitch) {
    startLogind();
    refuseAndOfferSession();
    LogindPowerActions actions(*bus, {});
    EXPECT_EQ(ask(actions, PowerAction::Reboot), true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !tool().isEmpty(); }, 10000));
    EXPECT_EQ(tool().first(), QStringLiteral("-r now"));
}

// Without logind every request is refused: the tool runs, then finding our session fails.
TEST_F(LogindPowerActionsTest, WithoutLogindTheToolIsNotStartedAgainWithinItsRest) {
    LogindPowerActions actions(*bus, {});
    EXPECT_EQ(ask(actions, PowerAction::PowerOff), false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return tool().size() == 2; }, 10000)) << "the tool did not run";
    EXPECT_EQ(ask(actions, PowerAction::PowerOff), false);
    EXPECT_EQ(ask(actions, PowerAction::PowerOff), false);
    QTest::qWait(300);
    EXPECT_EQ(tool(), (QStringList{QStringLiteral("-h now"), QStringLiteral("done")}));
}

TEST_F(LogindPowerActionsTest, WithoutLogindTheToolIsNotStartedAgainWhileItRuns) {
    standIn(2);
    LogindPowerActions actions(*bus, {}, 0ms);
    EXPECT_EQ(ask(actions, PowerAction::PowerOff), false);
    EXPECT_EQ(ask(actions, PowerAction::PowerOff), false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return tool().size() == 2; }, 10000));
    EXPECT_EQ(tool(), (QStringList{QStringLiteral("-h now"), QStringLiteral("done")})) << "started twice";

    // Once it has ended, the next refusal starts it again.
    EXPECT_EQ(ask(actions, PowerAction::PowerOff), false);
    EXPECT_TRUE(QTest::qWaitFor([&] { return tool().size() == 4; }, 10000)) << tool().join(' ').toStdString();
}

TEST_F(LogindPowerActionsTest, TheToolIsLookedForInTheFixedFoldersAfterPathUnlessSwitchedOff) {
    QTemporaryDir fixed;
    ASSERT_TRUE(fixed.isValid());
    ASSERT_TRUE(QFile::rename(folder.filePath(QStringLiteral("shutdown")),
                              fixed.filePath(QStringLiteral("shutdown"))));

    LogindPowerActions switchedOff(*bus, {});
    EXPECT_EQ(ask(switchedOff, PowerAction::PowerOff), false);
    QTest::qWait(300);
    EXPECT_TRUE(tool().isEmpty()) << "found a tool that is not on PATH";

    LogindPowerActions withFolder(*bus, {fixed.path()});
    EXPECT_EQ(ask(withFolder, PowerAction::PowerOff), false);
    EXPECT_TRUE(QTest::qWaitFor([&] { return tool().size() == 2; }, 10000))
        << "the fixed folder was not searched";
}

} // namespace
