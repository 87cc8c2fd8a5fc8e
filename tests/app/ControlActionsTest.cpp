#include "alarms/frmalarmU.h"
#include "clock/ClockFixture.h"
#include "fullscreen/frmSleepU.h"
#include "fullscreen/frmroseU.h"
#include "support/ClockParts.h"

#include <QFileInfo>
#include <QSignalSpy>

using platform::ControlAction;

namespace {

// The actions from outside, given through the fake channel, do what the keys and the menu do.
class ControlActions : public ClockFixture {
protected:
    void SetUp() override {
        ClockFixture::SetUp();
        start();
        ASSERT_TRUE(fakes.control.serving());
    }
};

TEST_F(ControlActions, TheKeysCommandsRunAsTheKeysRunThem) {
    program->alarmRinger().ring(1);
    ASSERT_TRUE(program->alarmWindow().isVisible());
    fakes.control.fire(ControlAction::StopAlarm);
    EXPECT_FALSE(program->alarmWindow().isVisible()) << "the alarm rings on";

    fakes.control.fire(ControlAction::Penguin);
    EXPECT_TRUE(program->penguin().isVisible());
    EXPECT_EQ(fakes.windows.covered.count(&program->penguin()), 1u);
    EXPECT_FALSE(program->blankScreen().isVisible());

    fakes.control.fire(ControlAction::Blank);
    EXPECT_TRUE(program->blankScreen().isVisible());
    EXPECT_EQ(fakes.windows.covered.count(&program->blankScreen()), 1u);
}

TEST_F(ControlActions, ShowBringsTheClockBackFromTheTray) {
    clock().menuMinimizeClick();
    ASSERT_TRUE(!clock().isVisible() || clock().isMinimized());
    fakes.windows.activations.clear();

    fakes.control.fire(ControlAction::Show);
    EXPECT_TRUE(clock().isVisible());
    EXPECT_FALSE(clock().isMinimized());
    ASSERT_EQ(fakes.windows.activations.size(), 1u);
    EXPECT_EQ(fakes.windows.activations[0].first, &clock());
    EXPECT_FALSE(ClockParts(clock()).menuRestore->isEnabled());
}

TEST_F(ControlActions, ExitWritesTheSettingsAndEndsTheProgram) {
    QSignalSpy ended(&clock(), &Tdialform::terminateRequested);
    const QString settings = folder.filePath(QStringLiteral("settings.ini"));
    ASSERT_FALSE(QFileInfo::exists(settings));
    fakes.control.fire(ControlAction::Exit);
    EXPECT_EQ(ended.count(), 1);
    EXPECT_TRUE(QFileInfo::exists(settings));
}

} // namespace
