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

namespace {

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
    EXPECT_EQ(stopCaption(), "STOP ALARM") << "no key while the desktop is asked";
    fakes.shortcuts.answerBound({{"stop-alarm", "Ctrl+F1"}, {"penguin", "Ctrl+Alt+F9"}, {"blank", "Meta+B"}});
    EXPECT_EQ(stopCaption(), "STOP ALARM (Ctrl+F1)");
    EXPECT_EQ(penguinCaption(), "(Ctrl+Alt+F9)");

    // Recorded without a key, or not bound at all.
    program = std::make_unique<DialtopProgram>(fakes.services());
    fakes.shortcuts.answerBound({{"stop-alarm", ""}, {"blank", "Ctrl+Shift+F1"}});
    EXPECT_EQ(stopCaption(), "STOP ALARM");
    EXPECT_EQ(penguinCaption(), "");
    EXPECT_TRUE(fakes.dialogs.boxes.empty());
    EXPECT_TRUE(fakes.hotKeys.held.empty()) << "no X grabs beside the desktop's shortcuts";
}

TEST_F(HotKeyDesktopShortcuts, AnActivationRunsItsCommandOnce) {
    fakes.shortcuts.answerBound({{"stop-alarm", "F1"}, {"penguin", "F2"}, {"blank", "F3"}});
    QSignalSpy blank(&program->hotKeyPlan(), &HotKeyPlan::blankScreenPressed);
    fakes.shortcuts.activate("blank");
    EXPECT_EQ(blank.count(), 1);
    EXPECT_TRUE(program->blankScreen().isVisible());
}

TEST_F(HotKeyDesktopShortcuts, ARefusalGrabsTheKeysSilentlyAndTellsOnce) {
    fakes.hotKeys.taken = {{platform::ModCtrl, 112}, {platform::ModAlt | platform::ModCtrl, 'R'}};
    fakes.shortcuts.refuse();
    ASSERT_EQ(fakes.dialogs.boxes.size(), 1u);
    EXPECT_TRUE(fakes.dialogs.boxes[0].text.startsWith("The Desktop Does NOT Offer Global Shortcuts."));
    // The chains went on to the next combinations, and the windows name them.
    EXPECT_EQ(fakes.hotKeys.held.size(), 3u);
    EXPECT_EQ(stopCaption(), "STOP ALARM (Ctrl+F2)");
    EXPECT_EQ(penguinCaption(), "(Alt+Ctrl+F1)");
}

} // namespace
