#include "platform/linux/LogindPowerActions.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using platform::PowerAction;
using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

// Readable failures.
static void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

const QString Login1 = u"org.freedesktop.login1"_s;
const QString Manager = u"org.freedesktop.login1.Manager"_s;

// A private dbus-daemon standing in for the system bus, with python3-dbusmock's logind on demand, and
// a recording stand-in for the shutdown tool as the only thing on PATH. Nothing here can reach the
// machine's own logind or tool: the service is handed the private bus, PATH holds only the stand-in
// and the fixed system folders are switched off. The system bus's address leads to the private bus too.
class LogindPowerActionsTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        daemon.start(u"/usr/bin/dbus-daemon"_s, {u"--session"_s, u"--nofork"_s, u"--print-address=1"_s});
        ASSERT_TRUE(daemon.waitForReadyRead(10000)) << "no private dbus-daemon";
        address = QString::fromUtf8(daemon.readLine()).trimmed();
        bus.emplace(QDBusConnection::connectToBus(address, u"private-system-bus"_s));
        ASSERT_TRUE(bus->isConnected());
        savedSystemBus = qgetenv("DBUS_SYSTEM_BUS_ADDRESS");
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", address.toUtf8());

        savedPath = qgetenv("PATH");
        qputenv("PATH", folder.path().toLocal8Bit());
        standIn(0);
    }

    void TearDown() override {
        // The last stand-in has ended and its process object, left behind by the service, is gone.
        const qint64 pid = lines(u"tool.pid"_s).value(0).toLongLong();
        if (pid > 0) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return ::kill(static_cast<pid_t>(pid), 0) != 0; }, 10000))
                << "the tool did not end";
        }
        qputenv("PATH", savedPath);
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", savedSystemBus);
        if (logind.state() != QProcess::NotRunning) {
            logind.terminate();
            logind.waitForFinished(5000);
        }
        bus.reset();
        QDBusConnection::disconnectFromBus(u"private-system-bus"_s);
        daemon.kill();
        daemon.waitForFinished(5000);
    }

    // The stand-in records its process id and arguments when it starts and "done" when it ends,
    // `seconds` later.
    void standIn(int seconds) {
        const QString path = folder.filePath(u"shutdown"_s);
        QFile script(path);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly | QIODevice::Truncate));
        script.write(u"#!/bin/sh\necho $$ > '%3'\necho \"$*\" >> '%1'\n/bin/sleep %2\necho done >> '%1'\n"_s
                         .arg(folder.filePath(u"tool.txt"_s))
                         .arg(seconds)
                         .arg(folder.filePath(u"tool.pid"_s))
                         .toLocal8Bit());
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void startLogind() {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"DBUS_SYSTEM_BUS_ADDRESS"_s, address);
        logind.setProcessEnvironment(environment);
        logind.start(u"/usr/bin/python3"_s, {u"-m"_s, u"dbusmock"_s, u"--system"_s, u"--template"_s,
                                             u"logind"_s, u"-l"_s, folder.filePath(u"logind.txt"_s)});
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return bus->interface()->isServiceRegistered(Login1).value(); }, 20000))
            << "dbusmock's logind did not come";
    }

    void mock(const QString& method, const QVariantList& arguments) {
        QDBusMessage call = QDBusMessage::createMethodCall(Login1, u"/org/freedesktop/login1"_s,
                                                           u"org.freedesktop.DBus.Mock"_s, method);
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
        for (const QString& method : {u"PowerOff"_s, u"Reboot"_s})
            mock(u"AddMethod"_s, {Manager, method, u"b"_s, QString(), refusal});
        mock(u"AddMethod"_s, {Manager, u"GetSessionByPID"_s, u"u"_s, u"o"_s,
                              u"ret = '/org/freedesktop/login1/session/c1'"_s});
        mock(u"AddSession"_s, {u"c1"_s, u"seat0"_s, 1000u, u"tester"_s, true});
    }

    QStringList lines(const QString& name) const {
        QFile file(folder.filePath(name));
        return file.open(QIODevice::ReadOnly)
                   ? QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts)
                   : QStringList();
    }
    QStringList tool() const { return lines(u"tool.txt"_s); }
    // The mock's log of one method ("<time> PowerOff False"), without the errors it raised.
    QStringList logindCalls(const QString& method) const {
        QStringList calls;
        for (const QString& line : lines(u"logind.txt"_s)) {
            const QString call = line.section(u' ', 1);
            if (call.startsWith(method + u' ') && !call.contains(u" raised: "_s))
                calls << call;
        }
        return calls;
    }

    std::function<QDBusConnection()> privateBus() {
        return [this] { return *bus; };
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
    QByteArray savedSystemBus;
};

TEST_F(LogindPowerActionsTest, AnAcceptedRequestIsOneCallToLogindAndNothingElse) {
    startLogind();
    LogindPowerActions actions(privateBus(), {});
    std::optional<bool> answer;
    ASSERT_TRUE(actions.request(PowerAction::PowerOff, [&](bool accepted) { answer = accepted; }));
    EXPECT_FALSE(actions.request(PowerAction::PowerOff, [](bool) {
        FAIL() << "a second request was answered";
    })) << "a second request while the first is unanswered";
    ASSERT_TRUE(QTest::qWaitFor([&] { return answer.has_value(); }, 20000));
    EXPECT_TRUE(*answer);
    EXPECT_EQ(ask(actions, PowerAction::Reboot), true);

    EXPECT_EQ(logindCalls(u"PowerOff"_s), QStringList{u"PowerOff False"_s});
    EXPECT_EQ(logindCalls(u"Reboot"_s), QStringList{u"Reboot False"_s});
    EXPECT_TRUE(logindCalls(u"TerminateSession"_s).isEmpty());
    EXPECT_TRUE(tool().isEmpty());
}

TEST_F(LogindPowerActionsTest, ARefusalStartsTheToolAndEndsOurOwnSession) {
    startLogind();
    refuseAndOfferSession();
    LogindPowerActions actions(privateBus(), {}, 0ms);
    EXPECT_EQ(ask(actions, PowerAction::PowerOff), true) << "the session's end was accepted";
    ASSERT_TRUE(QTest::qWaitFor([&] { return tool().size() == 2; }, 10000)) << tool().join(' ').toStdString();
    EXPECT_EQ(ask(actions, PowerAction::Reboot), true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return tool().size() == 4; }, 10000)) << tool().join(' ').toStdString();
    EXPECT_EQ(tool(), (QStringList{"-h now", "done", "-r now", "done"}));
    EXPECT_EQ(logindCalls(u"PowerOff"_s), QStringList{u"PowerOff False"_s});
    EXPECT_EQ(logindCalls(u"TerminateSession"_s),
              (QStringList{"TerminateSession \"c1\"", "TerminateSession \"c1\""}));
}

// Without logind every request is refused: the tool runs, then finding our session fails.
TEST_F(LogindPowerActionsTest, WithoutLogindTheToolIsNotStartedAgainWithinItsRest) {
    LogindPowerActions actions(privateBus(), {});
    EXPECT_EQ(ask(actions, PowerAction::PowerOff), false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return tool().size() == 2; }, 10000)) << "the tool did not run";
    EXPECT_EQ(ask(actions, PowerAction::PowerOff), false);
    EXPECT_EQ(ask(actions, PowerAction::PowerOff), false);
    QTest::qWait(300);
    EXPECT_EQ(tool(), (QStringList{u"-h now"_s, u"done"_s}));
}

TEST_F(LogindPowerActionsTest, WithoutLogindTheToolIsNotStartedAgainWhileItRuns) {
    standIn(2);
    LogindPowerActions actions(privateBus(), {}, 0ms);
    EXPECT_EQ(ask(actions, PowerAction::PowerOff), false);
    EXPECT_EQ(ask(actions, PowerAction::PowerOff), false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return tool().size() == 2; }, 10000));
    EXPECT_EQ(tool(), (QStringList{u"-h now"_s, u"done"_s})) << "started twice";

    // Once it has ended, the next refusal starts it again. Its last line comes before its end, and a
    // busy machine can keep the two apart: the end counts once the program has reaped the process.
    const auto pid = static_cast<pid_t>(lines(u"tool.pid"_s).value(0).toLongLong());
    ASSERT_TRUE(QTest::qWaitFor([&] { return ::kill(pid, 0) != 0; }, 10000)) << "the tool did not end";
    EXPECT_EQ(ask(actions, PowerAction::PowerOff), false);
    EXPECT_TRUE(QTest::qWaitFor([&] { return tool().size() == 4; }, 10000)) << tool().join(' ').toStdString();
}

TEST_F(LogindPowerActionsTest, TheToolIsLookedForInTheFixedFoldersAfterPathUnlessSwitchedOff) {
    QTemporaryDir fixed;
    ASSERT_TRUE(fixed.isValid());
    ASSERT_TRUE(QFile::rename(folder.filePath(u"shutdown"_s), fixed.filePath(u"shutdown"_s)));

    LogindPowerActions switchedOff(privateBus(), {});
    EXPECT_EQ(ask(switchedOff, PowerAction::PowerOff), false);
    QTest::qWait(300);
    EXPECT_TRUE(tool().isEmpty()) << "found a tool that is not on PATH";

    LogindPowerActions withFolder(privateBus(), {fixed.path()});
    EXPECT_EQ(ask(withFolder, PowerAction::PowerOff), false);
    EXPECT_TRUE(QTest::qWaitFor([&] { return tool().size() == 2; }, 10000))
        << "the fixed folder was not searched";
}

// A bus daemon that hangs: its socket takes connections and never answers. Qt's own system bus is
// asked here, as the program does.
TEST_F(LogindPowerActionsTest, AStuckBusIsARefusalWhileTheEventLoopRuns) {
    const QByteArray path = folder.filePath(u"stuck-bus"_s).toLocal8Bit();
    const int listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un where{};
    where.sun_family = AF_UNIX;
    path.toStdString().copy(where.sun_path, sizeof where.sun_path - 1);
    ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&where), sizeof where), 0);
    ASSERT_EQ(::listen(listener, 8), 0);
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" + path);

    LogindPowerActions actions(&QDBusConnection::systemBus, {});
    std::optional<bool> answer;
    bool ranWhilePending = false;
    ASSERT_TRUE(actions.request(PowerAction::PowerOff, [&](bool accepted) { answer = accepted; }));
    QTimer::singleShot(0, [&] { ranWhilePending = !answer.has_value(); });
    ASSERT_TRUE(QTest::qWaitFor([&] { return answer.has_value(); }, 60000)) << "no answer";
    EXPECT_TRUE(ranWhilePending) << "the event loop was held";
    EXPECT_EQ(answer, false);
    EXPECT_TRUE(QTest::qWaitFor([&] { return tool().size() == 2; }, 10000)) << "no fallback";
    ::close(listener);
}

} // namespace
