#include "platform/linux/PortalGlobalShortcuts.h"

#include "hotkeys/DesktopShortcuts.h"

#include <QDBusMessage>
#include <QDBusVariant>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>
#include <map>
#include <optional>

using namespace Qt::StringLiterals;
using Shortcuts = std::vector<platform::GlobalShortcuts::Bound>;
using Bound = std::optional<Shortcuts>;
using Triggers = std::map<std::string, std::string>;

namespace {

const Triggers Preferred = {{"stop-alarm", "CTRL+F1"}, {"penguin", "CTRL+ALT+r"}, {"blank", "CTRL+SHIFT+F1"}};
// Session token, id, description and trigger, as the stand-in holds them.
const QStringList Registered = {u"dialtop stop-alarm 'Stop the ringing alarm' CTRL+F1"_s,
                                u"dialtop penguin 'Show the penguin' CTRL+ALT+r"_s,
                                u"dialtop blank 'Blank the screen' CTRL+SHIFT+F1"_s};

// A Wayland session whose bus is a private dbus-daemon, with the stand-in portal on demand.
class PortalGlobalShortcutsTest : public testing::Test {
protected:
    void SetUp() override {
        daemon.start(u"/usr/bin/dbus-daemon"_s, {u"--config-file=" TEST_DATA "/private-session-bus.conf"_s,
                                                 u"--nofork"_s, u"--print-address=1"_s});
        ASSERT_TRUE(daemon.waitForReadyRead(10000)) << "no private dbus-daemon";
        const QString address = QString::fromUtf8(daemon.readLine()).trimmed();
        bus.emplace(QDBusConnection::connectToBus(address, u"private-session-bus"_s));
        ASSERT_TRUE(bus->isConnected());
        qputenv("DBUS_SESSION_BUS_ADDRESS", address.toUtf8());
        qputenv("WAYLAND_DISPLAY", "wayland-test");
    }

    void TearDown() override {
        portal.kill();
        portal.waitForFinished(5000);
        bus.reset();
        QDBusConnection::disconnectFromBus(u"private-session-bus"_s);
        daemon.kill();
        daemon.waitForFinished(5000);
    }

    void startPortal() {
        portal.start(u"/usr/bin/python3"_s, {u"-m"_s, u"dbusmock"_s, u"--session"_s, u"--template"_s,
                                             QStringLiteral(TEST_DATA "/globalshortcuts_portal.py")});
        // The name comes before the template's methods.
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return call(u"Bound"_s).type() == QDBusMessage::ReplyMessage; }, 20000))
            << "the stand-in portal did not come";
    }

    QDBusMessage call(const QString& method, const QVariantList& arguments = {}) {
        QDBusMessage message = QDBusMessage::createMethodCall(u"org.freedesktop.portal.Desktop"_s,
                                                              u"/org/freedesktop/portal/desktop"_s,
                                                              u"org.freedesktop.DBus.Mock"_s, method);
        message.setArguments(arguments);
        return bus->call(message);
    }
    void set(const QString& key, const QVariant& v) {
        call(u"Set"_s, {key, QVariant::fromValue(QDBusVariant(v))});
    }

    // The program's shortcuts bound: nothing when refused.
    Bound bind(PortalGlobalShortcuts& shortcuts) {
        std::optional<Bound> answer;
        EXPECT_TRUE(shortcuts.bind(DesktopShortcuts(), [&](const Bound& bound) { answer = bound; }));
        EXPECT_TRUE(QTest::qWaitFor([&] { return answer.has_value(); }, 30000)) << "no answer";
        return answer.value_or(std::nullopt);
    }
    static Triggers triggers(const Bound& bound) {
        Triggers result;
        for (const platform::GlobalShortcuts::Bound& shortcut : bound.value_or(Shortcuts{}))
            result[shortcut.id] = shortcut.trigger;
        return result;
    }

    QProcess daemon;
    QProcess portal;
    std::optional<QDBusConnection> bus;
    const std::function<QDBusConnection()> privateBus = [this] { return *bus; };
};

TEST_F(PortalGlobalShortcutsTest, TheThreeShortcutsAreBoundAndEachActivationArrivesOnce) {
    startPortal();
    PortalGlobalShortcuts shortcuts(privateBus);
    std::vector<std::string> activated;
    shortcuts.setActivationHandler([&](const std::string& id) { activated.push_back(id); });
    EXPECT_EQ(triggers(bind(shortcuts)), Preferred);
    EXPECT_EQ(call(u"Bound"_s).arguments().value(0).toStringList(), Registered);

    // The stand-in follows each activation with a deactivation, which is no press.
    call(u"Activate"_s, {u"blank"_s});
    call(u"Activate"_s, {u"penguin"_s});
    ASSERT_TRUE(QTest::qWaitFor([&] { return activated.size() >= 2; }, 30000));
    EXPECT_EQ(activated, (std::vector<std::string>{"blank", "penguin"}));
}

TEST_F(PortalGlobalShortcutsTest, AShortcutTheDesktopGaveNoKeyIsBoundWithoutATrigger) {
    startPortal();
    set(u"taken"_s, QStringList{u"stop-alarm"_s});
    PortalGlobalShortcuts shortcuts(privateBus);
    EXPECT_EQ(triggers(bind(shortcuts)),
              (Triggers{{"stop-alarm", ""}, {"penguin", "CTRL+ALT+r"}, {"blank", "CTRL+SHIFT+F1"}}));
}

TEST_F(PortalGlobalShortcutsTest, RefusalsAndMissingPortalsAnswerNothingBound) {
    PortalGlobalShortcuts missing(privateBus);
    EXPECT_EQ(bind(missing), std::nullopt) << "no portal on the bus";
    startPortal();
    set(u"denied"_s, true);
    PortalGlobalShortcuts denied(privateBus);
    EXPECT_EQ(bind(denied), std::nullopt) << "the user cancelled";

    set(u"denied"_s, false);
    set(u"bind_denied"_s, true);
    PortalGlobalShortcuts bindDenied(privateBus);
    EXPECT_EQ(bind(bindDenied), std::nullopt) << "the desktop refused the keys";
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return call(u"Sessions"_s).arguments().value(0).toStringList().isEmpty(); }, 30000))
        << "the refused session is left open";
}

} // namespace
