#include "platform/linux/DBusControlChannel.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>
#include <memory>
#include <vector>

using platform::ControlAction;
using namespace Qt::StringLiterals;

namespace {

// The clock's channel and `dialtop --action` on a private dbus-daemon standing in for the session bus.
class ControlBus : public testing::Test {
protected:
    void SetUp() override {
        daemon.start(u"/usr/bin/dbus-daemon"_s, {u"--session"_s, u"--nofork"_s, u"--print-address=1"_s});
        ASSERT_TRUE(daemon.waitForReadyRead(10000)) << "no private dbus-daemon";
        address = QString::fromUtf8(daemon.readLine()).trimmed();
        qputenv("DBUS_SESSION_BUS_ADDRESS", address.toUtf8());
    }
    void TearDown() override { daemon.kill(), daemon.waitForFinished(5000); }

    // A connection of its own, as another program has; named after the daemon, which each test starts anew.
    QDBusConnection connection(const QString& name) {
        return QDBusConnection::connectToBus(address, address + name);
    }
    QString owner() {
        return connection(u"caller"_s).interface()->serviceOwner(DBusControlChannel::ServiceName);
    }

    std::unique_ptr<DBusControlChannel> serve(const QString& name) {
        auto channel = std::make_unique<DBusControlChannel>([this, name] { return connection(name); });
        channel->serve([this](ControlAction action) { received.push_back(action); });
        return channel;
    }

    QDBusMessage call(const QString& method, const QVariantList& arguments) {
        QDBusMessage message =
            QDBusMessage::createMethodCall(DBusControlChannel::ServiceName, DBusControlChannel::ObjectPath,
                                           u"org.freedesktop.Application"_s, method);
        message.setArguments(arguments);
        QDBusPendingCallWatcher watcher(connection(u"caller"_s).asyncCall(message));
        EXPECT_TRUE(QTest::qWaitFor([&] { return watcher.isFinished(); }, 30000)) << "no answer";
        return watcher.reply();
    }

    // The real program with no display; the event loop runs meanwhile, for a channel here to answer.
    std::pair<int, QString> dialtop(const QStringList& arguments) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(u"DISPLAY"_s), environment.remove(u"WAYLAND_DISPLAY"_s);
        process.setProcessEnvironment(environment);
        process.start(qEnvironmentVariable("DIALTOP_BINARY"), arguments);
        EXPECT_TRUE(QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 60000));
        return {process.exitCode(), process.readAllStandardOutput() + process.readAllStandardError()};
    }

    QProcess daemon;
    QString address;
    std::vector<ControlAction> received;
};

TEST_F(ControlBus, EachActionReachesTheHandlerOnceAndAnUnknownOneIsRefused) {
    const auto channel = serve(u"clock"_s);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !owner().isEmpty(); }, 30000)) << "the name was not taken";
    for (const QString& name : {u"stop-alarm"_s, u"penguin"_s, u"blank"_s, u"show"_s, u"exit"_s})
        EXPECT_EQ(call(u"ActivateAction"_s, {name, QVariantList(), QVariantMap()}).type(),
                  QDBusMessage::ReplyMessage);
    EXPECT_EQ(call(u"ActivateAction"_s, {u"sleep"_s, QVariantList(), QVariantMap()}).errorName(),
              "org.freedesktop.DBus.Error.InvalidArgs");
    EXPECT_EQ(call(u"Open"_s, {QStringList(), QVariantMap()}).errorName(),
              "org.freedesktop.DBus.Error.NotSupported");
    EXPECT_EQ(call(u"Activate"_s, {QVariantMap()}).type(), QDBusMessage::ReplyMessage);
    // Each action reaches the handler after its answer went out.
    EXPECT_TRUE(QTest::qWaitFor([&] { return received.size() >= 6; }, 30000));
    EXPECT_EQ(received, (std::vector{ControlAction::StopAlarm, ControlAction::Penguin, ControlAction::Blank,
                                     ControlAction::Show, ControlAction::Exit, ControlAction::Show}));
}

TEST_F(ControlBus, ASecondClockWaitsInLineAndTakesTheNameWhenTheFirstEnds) {
    auto first = serve(u"first"_s);
    ASSERT_TRUE(QTest::qWaitFor([&] { return owner() == connection(u"first"_s).baseService(); }, 30000));
    const auto second = serve(u"second"_s);
    const QDBusMessage list =
        QDBusMessage::createMethodCall(u"org.freedesktop.DBus"_s, u"/org/freedesktop/DBus"_s,
                                       u"org.freedesktop.DBus"_s, u"ListQueuedOwners"_s)
        << DBusControlChannel::ServiceName;
    const auto queued = [&] {
        return connection(u"caller"_s).call(list).arguments().value(0).toStringList();
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return queued().size() == 2; }, 30000)) << "the second is not in line";
    EXPECT_EQ(owner(), connection(u"first"_s).baseService()) << "the second took the name";
    first.reset();
    EXPECT_TRUE(QTest::qWaitFor([&] { return owner() == connection(u"second"_s).baseService(); }, 30000));
}

TEST_F(ControlBus, TheCommandLineAsksTheRunningClockOrSaysWhyNot) {
    EXPECT_EQ(dialtop({u"--version"_s}), std::pair(0, u"dialtop " DIALTOP_VERSION "\n"_s));
    for (const auto& [arguments, status] : {std::pair(QStringList{"--help"}, 0),
                                            {{"--action", "sleep"}, 2},
                                            {{"--action=blank", "extra"}, 2}}) {
        const auto answer = dialtop(arguments);
        EXPECT_EQ(answer.first, status);
        EXPECT_TRUE(answer.second.contains(u"stop-alarm, penguin, blank, show, exit"_s))
            << answer.second.toStdString();
    }
    const auto none = dialtop({u"--action"_s, u"blank"_s});
    EXPECT_EQ(none.first, 1);
    EXPECT_TRUE(none.second.contains(DBusControlChannel::ServiceName) && none.second.contains(address) &&
                none.second.count(u'\n') == 1)
        << none.second.toStdString();

    const auto channel = serve(u"clock"_s);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !owner().isEmpty(); }, 30000));
    EXPECT_EQ(dialtop({u"--action=penguin"_s}).first, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return received == std::vector{ControlAction::Penguin}; }, 30000));
}

} // namespace
