#include "platform/linux/PortalGlobalShortcuts.h"

#include "hotkeys/DesktopShortcuts.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <string>
#include <vector>

using namespace Qt::StringLiterals;
using Bound = std::optional<std::vector<platform::GlobalShortcuts::Bound>>;
using Triggers = std::map<std::string, std::string>;

namespace {

const QString Portal = u"org.freedesktop.portal.Desktop"_s;

// A private dbus-daemon standing in for the session bus, with the stand-in portal on demand, in a
// Wayland session.
class PortalGlobalShortcutsTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        // No service folders: a call to a missing portal must not start the machine's own.
        QFile config(folder.filePath(u"bus.conf"_s));
        ASSERT_TRUE(config.open(QIODevice::WriteOnly));
        config.write("<busconfig><type>session</type><listen>unix:tmpdir=/tmp</listen>"
                     "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
                     "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>");
        config.close();
        daemon.start(u"/usr/bin/dbus-daemon"_s,
                     {u"--config-file="_s + config.fileName(), u"--nofork"_s, u"--print-address=1"_s});
        ASSERT_TRUE(daemon.waitForReadyRead(10000)) << "no private dbus-daemon";
        address = QString::fromUtf8(daemon.readLine()).trimmed();
        bus.emplace(QDBusConnection::connectToBus(address, u"private-session-bus"_s));
        ASSERT_TRUE(bus->isConnected());
        qputenv("DBUS_SESSION_BUS_ADDRESS", address.toUtf8());
        qputenv("WAYLAND_DISPLAY", "wayland-test");
    }

    void TearDown() override {
        if (portal.state() != QProcess::NotRunning) {
            portal.terminate();
            portal.waitForFinished(5000);
        }
        bus.reset();
        QDBusConnection::disconnectFromBus(u"private-session-bus"_s);
        daemon.kill();
        daemon.waitForFinished(5000);
    }

    void startPortal() {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, address);
        portal.setProcessEnvironment(environment);
        portal.start(u"/usr/bin/python3"_s, {u"-m"_s, u"dbusmock"_s, u"--session"_s, u"--template"_s,
                                             QStringLiteral(PORTAL_TEMPLATE), u"-l"_s, log()});
        // The name comes before the template's methods.
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return call(u"Bound"_s, {}).type() == QDBusMessage::ReplyMessage; }, 20000))
            << "the stand-in portal did not come";
    }

    QDBusMessage call(const QString& method, const QVariantList& arguments) {
        QDBusMessage message = QDBusMessage::createMethodCall(Portal, u"/org/freedesktop/portal/desktop"_s,
                                                              u"org.freedesktop.DBus.Mock"_s, method);
        message.setArguments(arguments);
        return bus->call(message);
    }

    QDBusMessage mock(const QString& method, const QVariantList& arguments) {
        const QDBusMessage reply = call(method, arguments);
        EXPECT_NE(reply.type(), QDBusMessage::ErrorMessage) << reply.errorMessage().toStdString();
        return reply;
    }

    // The program's shortcuts bound; the outer nothing when no answer came.
    std::optional<Bound> bind(PortalGlobalShortcuts& shortcuts) {
        std::optional<Bound> answer;
        EXPECT_TRUE(shortcuts.bind(DesktopShortcuts(), [&](const Bound& bound) { answer = bound; }));
        EXPECT_TRUE(QTest::qWaitFor([&] { return answer.has_value(); }, 30000)) << "no answer";
        return answer;
    }

    static Triggers triggers(const Bound& bound) {
        Triggers result;
        for (const platform::GlobalShortcuts::Bound& shortcut :
             bound.value_or(std::vector<platform::GlobalShortcuts::Bound>{}))
            result[shortcut.id] = shortcut.trigger;
        return result;
    }

    // "session id 'description' trigger", our connection's part of the session path as SENDER.
    QStringList registered() {
        QStringList lines;
        const QDBusArgument list = mock(u"Bound"_s, {}).arguments().value(0).value<QDBusArgument>();
        list.beginArray();
        while (!list.atEnd()) {
            QString session, id, description, trigger;
            list.beginStructure();
            list >> session >> id >> description >> trigger;
            list.endStructure();
            session.replace(bus->baseService().mid(1).replace(u'.', u'_'), u"SENDER"_s);
            lines << u"%1 %2 '%3' %4"_s.arg(session, id, description, trigger);
        }
        list.endArray();
        return lines;
    }

    // The stand-in's log lines of one method.
    QStringList portalCalls(const QString& method) const {
        QFile file(log());
        QStringList calls;
        if (file.open(QIODevice::ReadOnly)) {
            for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts)) {
                if (line.section(u' ', 1, 1) == method)
                    calls << line.section(u' ', 1);
            }
        }
        return calls;
    }

    QString log() const { return folder.filePath(u"portal.log"_s); }

    std::function<QDBusConnection()> privateBus() {
        return [this] { return *bus; };
    }

    QTemporaryDir folder;
    QProcess daemon;
    QProcess portal;
    QString address;
    std::optional<QDBusConnection> bus;
};

// What the stand-in holds: session, id, description and trigger.
const QStringList Registered = {
    u"/org/freedesktop/portal/desktop/session/SENDER/dialtop stop-alarm 'Stop the ringing alarm' CTRL+F1"_s,
    u"/org/freedesktop/portal/desktop/session/SENDER/dialtop penguin 'Show the penguin' CTRL+ALT+r"_s,
    u"/org/freedesktop/portal/desktop/session/SENDER/dialtop blank 'Blank the screen' CTRL+SHIFT+F1"_s};

const Triggers Preferred = {{"stop-alarm", "CTRL+F1"}, {"penguin", "CTRL+ALT+r"}, {"blank", "CTRL+SHIFT+F1"}};

TEST_F(PortalGlobalShortcutsTest, TheThreeShortcutsAreBoundAndTheirActivationsArrive) {
    startPortal();
    PortalGlobalShortcuts shortcuts(privateBus());
    std::vector<std::string> activated;
    shortcuts.setActivationHandler([&](const std::string& id) { activated.push_back(id); });
    const std::optional<Bound> bound = bind(shortcuts);
    ASSERT_TRUE(bound && *bound);
    EXPECT_EQ(triggers(*bound), Preferred);

    EXPECT_EQ(registered(), Registered);
    EXPECT_EQ(portalCalls(u"ListShortcuts"_s).size(), 0);

    // Each activation is followed by a deactivation, which must not count as a press.
    EXPECT_EQ(mock(u"Activate"_s, {u"blank"_s}).arguments().value(0).toUInt(), 1u);
    mock(u"Activate"_s, {u"penguin"_s});
    EXPECT_TRUE(QTest::qWaitFor([&] { return activated.size() >= 2; }, 30000));
    EXPECT_EQ(activated, (std::vector<std::string>{"blank", "penguin"}));
}

// As KDE 5.27: the shortcuts are taken from the session's options and the bind lists none.
TEST_F(PortalGlobalShortcutsTest, ABindAnsweredWithoutShortcutsIsCompletedByTheList) {
    startPortal();
    mock(u"SetBindIgnored"_s, {true});
    PortalGlobalShortcuts shortcuts(privateBus());
    EXPECT_EQ(triggers(bind(shortcuts).value_or(std::nullopt)), Preferred);
    EXPECT_EQ(registered(), Registered);
    EXPECT_EQ(portalCalls(u"ListShortcuts"_s).size(), 1);
}

TEST_F(PortalGlobalShortcutsTest, AShortcutTheDesktopGaveNoKeyIsBoundWithoutATrigger) {
    startPortal();
    mock(u"SetTaken"_s, {QStringList{u"stop-alarm"_s}});
    PortalGlobalShortcuts shortcuts(privateBus());
    Triggers expected = Preferred;
    expected["stop-alarm"] = "";
    EXPECT_EQ(triggers(bind(shortcuts).value_or(std::nullopt)), expected);
}

TEST_F(PortalGlobalShortcutsTest, RefusalsAndMissingPortalsAnswerNothingBound) {
    {
        SCOPED_TRACE("no portal on the bus");
        PortalGlobalShortcuts shortcuts(privateBus());
        const std::optional<Bound> bound = bind(shortcuts);
        ASSERT_TRUE(bound);
        EXPECT_FALSE(*bound);
    }
    startPortal();
    {
        SCOPED_TRACE("the user cancelled");
        mock(u"SetDenied"_s, {true});
        PortalGlobalShortcuts shortcuts(privateBus());
        const std::optional<Bound> bound = bind(shortcuts);
        ASSERT_TRUE(bound);
        EXPECT_FALSE(*bound);
        EXPECT_TRUE(portalCalls(u"BindShortcuts"_s).isEmpty());
    }
    {
        SCOPED_TRACE("not a Wayland session");
        qunsetenv("WAYLAND_DISPLAY");
        PortalGlobalShortcuts shortcuts(privateBus());
        EXPECT_FALSE(shortcuts.bind(DesktopShortcuts(), [](const Bound&) { FAIL() << "answered"; }));
    }
}

} // namespace
