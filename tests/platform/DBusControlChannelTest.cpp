#include "platform/linux/DBusControlChannel.h"

#include "support/PrivateBus.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QTest>

#include <gtest/gtest.h>
#include <memory>
#include <vector>

using platform::ControlAction;

namespace {

class DBusControlChannelTest : public testing::Test {
protected:
    std::unique_ptr<DBusControlChannel> serve(const QString& connection) {
        auto channel =
            std::make_unique<DBusControlChannel>([this, connection] { return bus.connect(connection); });
        channel->serve([this](ControlAction action) { received.push_back(action); });
        return channel;
    }

    QString owner() { return caller.interface()->serviceOwner(DBusControlChannel::ServiceName).value(); }

    // The answer to a call on the clock's object, asked as another program would, without blocking.
    QDBusMessage call(const QString& method, const QVariantList& arguments) {
        QDBusMessage message =
            QDBusMessage::createMethodCall(DBusControlChannel::ServiceName, DBusControlChannel::ObjectPath,
                                           QStringLiteral("org.freedesktop.Application"), method);
        message.setArguments(arguments);
        QDBusPendingCallWatcher watcher(caller.asyncCall(message));
        EXPECT_TRUE(QTest::qWaitFor([&] { return watcher.isFinished(); }, 30000)) << "no answer";
        return watcher.reply();
    }

    QDBusMessage activateAction(const QString& name) {
        return call(QStringLiteral("ActivateAction"), {name, QVariantList(), QVariantMap()});
    }

    PrivateBus bus;
    QDBusConnection caller = bus.connect(QStringLiteral("caller"));
    std::vector<ControlAction> received;
};

TEST_F(DBusControlChannelTest, EachActionReachesTheHandlerOnceAndAnUnknownOneIsRefused) {
    const auto channel = serve(QStringLiteral("clock"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !owner().isEmpty(); }, 30000)) << "the name was not taken";

    for (const char* name : {"stop-alarm", "penguin", "blank", "show", "exit"})
        EXPECT_EQ(activateAction(QString::fromLatin1(name)).type(), QDBusMessage::ReplyMessage) << name;
    EXPECT_EQ(activateAction(QStringLiteral("bogus")).errorName(), "org.freedesktop.DBus.Error.InvalidArgs");
    EXPECT_EQ(call(QStringLiteral("Activate"), {QVariantMap()}).type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(call(QStringLiteral("Open"), {QStringList(), QVariantMap()}).errorName(),
              "org.freedesktop.DBus.Error.NotSupported");

    const std::vector<ControlAction> all = {ControlAction::StopAlarm, ControlAction::Penguin,
                                            ControlAction::Blank,     ControlAction::Show,
                                            ControlAction::Exit,      ControlAction::Show};
    ASSERT_TRUE(QTest::qWaitFor([&] { return received.size() >= all.size(); }, 30000));
    QTest::qWait(100);
    EXPECT_EQ(received, all);
}

TEST_F(DBusControlChannelTest, ASecondClockWaitsInLineAndTakesTheNameWhenTheFirstEnds) {
    auto first = serve(QStringLiteral("first"));
    const QString firstName = bus.connect(QStringLiteral("first")).baseService();
    ASSERT_TRUE(QTest::qWaitFor([&] { return owner() == firstName; }, 30000));

    const auto second = serve(QStringLiteral("second"));
    const QString secondName = bus.connect(QStringLiteral("second")).baseService();
    const auto queued = [&] {
        QDBusMessage list = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("ListQueuedOwners"));
        list << DBusControlChannel::ServiceName;
        return caller.call(list).arguments().value(0).toStringList();
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return queued().contains(secondName); }, 30000))
        << "the second is not in line";
    EXPECT_EQ(owner(), firstName) << "the second took the name";

    first.reset();
    EXPECT_TRUE(QTest::qWaitFor([&] { return owner() == secondName; }, 30000))
        << "the name was not passed on";
    EXPECT_EQ(activateAction(QStringLiteral("blank")).type(), QDBusMessage::ReplyMessage);
    EXPECT_TRUE(QTest::qWaitFor([&] { return received == std::vector{ControlAction::Blank}; }, 30000));
}

} // namespace
