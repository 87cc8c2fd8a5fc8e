#include "alarms/frmalarmU.h"
#include "clock/ClockFixture.h"
#include "fullscreen/frmSleepU.h"
#include "fullscreen/frmroseU.h"

#include <QFileInfo>
#include <QSignalSpy>

using platform::ControlAction;
using ControlActions = ClockFixture;

namespace {

// The actions from outside, through the fake channel, do what the keys, the tray and the menu do.
TEST_F(ControlActions, EachDoesWhatItsKeyTheTrayOrTheMenuDoes) {
    start();
    program->alarmRinger().ring(1);
    fakes.control.fire(ControlAction::StopAlarm);
    EXPECT_FALSE(program->alarmWindow().isVisible()) << "the alarm rings on";
    fakes.control.fire(ControlAction::Penguin);
    EXPECT_TRUE(program->penguin().isVisible() && fakes.windows.covered.count(&program->penguin()));
    fakes.control.fire(ControlAction::Blank);
    EXPECT_TRUE(program->blankScreen().isVisible() && fakes.windows.covered.count(&program->blankScreen()));

    clock().menuMinimizeClick();
    fakes.windows.activations.clear();
    fakes.control.fire(ControlAction::Show);
    EXPECT_TRUE(clock().isVisible() && !clock().isMinimized());
    EXPECT_EQ(fakes.windows.activations, (decltype(fakes.windows.activations){{&clock(), 0}}));

    QSignalSpy ended(&clock(), &Tdialform::terminateRequested);
    fakes.control.fire(ControlAction::Exit);
    EXPECT_EQ(ended.count(), 1);
    EXPECT_TRUE(QFileInfo::exists(folder.filePath(QStringLiteral("settings.ini"))))
        << "Exit writes the settings";
}

} // namespace
