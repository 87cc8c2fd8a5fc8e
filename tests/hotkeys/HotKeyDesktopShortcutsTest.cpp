#include "alarms/frmalarmU.h"
#include "app/DialtopProgram.h"
#include "fullscreen/frmSleepU.h"
#include "fullscreen/frmroseU.h"
#include "hotkeys/HotKeyPlan.h"
#include "platform/fake/FakeServices.h"
#include "sysinfo/frmAboutU.h"

#include <QLabel>
#include <QSignalSpy>

#include <gtest/gtest.h>
#include <memory>
#include <ostream>

// Readable failures.
static void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

using platform::ModAlt;
using platform::ModCtrl;
using platform::ModShift;

const QString NoDesktopShortcuts =
    "The Desktop Does NOT Offer Global Shortcuts. Ctrl+F1, Alt+Ctrl+R and Ctrl+Shift+F1 Work Only While an X "
    "Window Has the Focus. Bind \"dialtop --action stop-alarm\", \"dialtop --action penguin\" and \"dialtop "
    "--action blank\" in Your Desktop's Keyboard Settings.";

// The program in a session whose desktop holds shortcuts.
class HotKeyDesktopShortcuts : public testing::Test {
protected:
    void SetUp() override {
        fakes.shortcuts.offered = true;
        program = std::make_unique<DialtopProgram>(fakes.services());
    }

    QString stopCaption() { return program->alarmWindow().stal->text(); }
    QString penguinCaption() { return program->informationWindow().lblkey->text(); }

    fake::Services fakes;
    std::unique_ptr<DialtopProgram> program;
};

TEST_F(HotKeyDesktopShortcuts, TheCaptionsNameTheKeysTheDesktopReports) {
    ASSERT_EQ(fakes.shortcuts.wanted.size(), 3u);
    EXPECT_TRUE(fakes.hotKeys.held.empty()) << "no key is grabbed while the desktop is asked";
    EXPECT_EQ(stopCaption(), "STOP ALARM");

    fakes.shortcuts.answerBound({{"stop-alarm", "Ctrl+F1"}, {"penguin", "Ctrl+Alt+F9"}, {"blank", "Meta+B"}});
    EXPECT_EQ(stopCaption(), "STOP ALARM (Ctrl+F1)");
    EXPECT_EQ(penguinCaption(), "(Ctrl+Alt+F9)");
    EXPECT_TRUE(fakes.dialogs.boxes.empty());
    EXPECT_TRUE(fakes.hotKeys.held.empty());
}

TEST_F(HotKeyDesktopShortcuts, AShortcutWithoutAKeyIsNamedWithoutOne) {
    fakes.shortcuts.answerBound({{"stop-alarm", ""}, {"blank", "Ctrl+Shift+F1"}});
    EXPECT_EQ(stopCaption(), "STOP ALARM");
    EXPECT_EQ(penguinCaption(), "");
}

TEST_F(HotKeyDesktopShortcuts, AnActivationRunsItsCommandOnce) {
    fakes.shortcuts.answerBound(
        {{"stop-alarm", "Ctrl+F1"}, {"penguin", "Ctrl+Alt+R"}, {"blank", "Ctrl+Shift+F1"}});
    QSignalSpy blank(&program->hotKeyPlan(), &HotKeyPlan::blankScreenPressed);
    QSignalSpy penguin(&program->hotKeyPlan(), &HotKeyPlan::penguinPressed);
    QSignalSpy stop(&program->hotKeyPlan(), &HotKeyPlan::stopAlarmPressed);

    fakes.shortcuts.activate("blank");
    EXPECT_EQ(blank.count(), 1);
    EXPECT_TRUE(program->blankScreen().isVisible());
    EXPECT_EQ(penguin.count() + stop.count(), 0);

    program->alarmRinger().ring(1);
    fakes.shortcuts.activate("stop-alarm");
    EXPECT_EQ(stop.count(), 1);
    EXPECT_FALSE(program->alarmWindow().isVisible());

    fakes.shortcuts.activate("penguin");
    EXPECT_EQ(penguin.count(), 1);
    EXPECT_TRUE(program->penguin().isVisible());
}

TEST_F(HotKeyDesktopShortcuts, ARefusalGrabsTheKeysSilentlyAndTellsOnce) {
    fakes.hotKeys.taken = {{ModCtrl, 112}, {ModAlt | ModCtrl, 'R'}};
    fakes.shortcuts.refuse();
    ASSERT_EQ(fakes.dialogs.boxes.size(), 1u);
    EXPECT_EQ(fakes.dialogs.boxes[0].kind, fake::Dialogs::Kind::Plain);
    EXPECT_EQ(fakes.dialogs.boxes[0].title, "dialtop");
    EXPECT_EQ(fakes.dialogs.boxes[0].text, NoDesktopShortcuts);
    // The chains went on to the next combinations, and the windows name them.
    EXPECT_EQ(fakes.hotKeys.held.size(), 3u);
    EXPECT_EQ(stopCaption(), "STOP ALARM (Ctrl+F2)");
    EXPECT_EQ(penguinCaption(), "(Alt+Ctrl+F1)");

    fakes.hotKeys.press(ModCtrl | ModShift, 112);
    EXPECT_TRUE(program->blankScreen().isVisible());
}

} // namespace
