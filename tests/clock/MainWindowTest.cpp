#include "ClockFixture.h"
#include "alarms/frmalarmU.h"
#include "app/DialtopApplication.h"
#include "base/Conversions.h"
#include "clock/frmcountryU.h"
#include "fullscreen/frmSleepU.h"
#include "fullscreen/frmroseU.h"
#include "power/frmcustskedU.h"
#include "settings/ProfileStorage.h"
#include "support/ClockParts.h"
#include "sysinfo/frmAboutU.h"
#include "tweaks/frmTweakU.h"
#include "ui/Shape.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTimer>

#include <fstream>
#include <string>

namespace {

class MainWindow : public ClockFixture {};

TEST_F(MainWindow, OpensAt83x44InTheTopRightCornerOfTheFullScreen) {
    fakes.windows.screen = QRect(0, 0, 1280, 1024);
    fakes.windows.work = QRect(0, 0, 1240, 1024); // a taskbar docked at the right
    start();
    EXPECT_EQ(clock().windowTitle(), QStringLiteral("Dialtop"));
    EXPECT_EQ(clock().geometry(), QRect(1280 - 83, 0, 83, 44));
    EXPECT_TRUE(clock().isVisible());
    EXPECT_EQ(ClockParts(clock()).boxout->geometry(), QRect(0, 0, 81, 42));
    EXPECT_EQ(ClockParts(clock()).boxin->geometry(), QRect(3, 3, 75, 36));
    EXPECT_TRUE(fakes.windows.taskbarHidden.count(&clock())) << "no taskbar button";
}

TEST_F(MainWindow, OpensOnThePrimaryScreenWhereverItLies) {
    // A primary monitor right of another one, its top lower than the desktop's.
    fakes.windows.screen = QRect(1920, 120, 1280, 1024);
    start();
    EXPECT_EQ(clock().geometry(), QRect(1920 + 1280 - 83, 120, 83, 44));
}

TEST_F(MainWindow, ACloseRequestEndsTheProgramWithoutSaving) {
    start();
    settings().TimeDifference = 30;
    QSignalSpy ended(&clock(), &Tdialform::terminateRequested);
    EXPECT_FALSE(clock().close());
    EXPECT_EQ(ended.count(), 1);
    EXPECT_FALSE(QFileInfo::exists(folder.filePath(QStringLiteral("settings.ini"))));
    EXPECT_TRUE(fakes.dialogs.boxes.empty());
}

TEST_F(MainWindow, ATickInsideACreationBoxFindsNoAlarmWindowAndGoesOn) {
    // A settings file too large to be read: a box while the clock is being made.
    std::ofstream(folder.filePath(QStringLiteral("settings.ini")).toStdString(), std::ios::binary)
        << std::string(MaxProfileLines + 1, '\n');
    fakes.clock.set(7, 30, 0);
    int ticks = 0;
    fakes.dialogs.whileOpen = [&](const fake::Dialogs::Box&) {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* dial = qobject_cast<Tdialform*>(window); dial && ticks++ == 0) {
                dial->Timer1Timer();
            }
        }
    };
    start();
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(program->alarmWindow().isVisible());
}

TEST_F(MainWindow, CreatesTheEightWindowsHiddenButTheClock) {
    start();
    const std::vector<std::pair<QWidget*, const char*>> windows = {
        {static_cast<QWidget*>(&program->alarmWindow()), "frmalarm"},
        {static_cast<QWidget*>(&program->blankScreen()), "frmSleep"},
        {static_cast<QWidget*>(&program->informationWindow()), "frmabout"},
        {static_cast<QWidget*>(&program->penguin()), "frmrose"},
        {static_cast<QWidget*>(&program->customScheduleDialog()), "frmcustsked"},
        {static_cast<QWidget*>(&program->countryDialog()), "frmcountry"},
        {static_cast<QWidget*>(&program->tweakEditor()), "frmtweak"},
    };
    EXPECT_EQ(clock().objectName(), QStringLiteral("dialform"));
    for (const auto& [window, name] : windows) {
        EXPECT_EQ(window->objectName(), QString::fromLatin1(name));
        EXPECT_FALSE(window->isVisible()) << name;
    }
}

TEST_F(MainWindow, FirstLoadWithoutAFileShowsTheLocalTimeTwice) {
    start();
    clock().Timer1Timer();
    EXPECT_EQ(settings().TimeDifference, 0);
    EXPECT_EQ(ClockParts(clock()).diallabel2->text(), ClockParts(clock()).DialLabel->text());
}

TEST_F(MainWindow, MenuHasItsItemsInOrder) {
    start();
    QStringList captions;
    for (QAction* action : ClockParts(clock()).PopupMenu1->actions())
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(captions.join(QLatin1Char('|')),
              QStringLiteral("Always On Top|Transparency|Scedule Shutdown|Scedule Reboot|Additional Country "
                             "Settings|Tweaking|Alarm|About|-|Start with Windows|-|Restore|Minimize|Exit"));
    const auto* hours = clock().findChild<QMenu*>(QStringLiteral("menuSInHours"));
    ASSERT_NE(hours, nullptr);
    QStringList hourItems;
    for (QAction* action : hours->actions())
        hourItems << action->objectName() + QLatin1Char('=') + action->text();
    EXPECT_EQ(
        hourItems.join(QLatin1Char(',')),
        QStringLiteral("menuS1Hour=1 Hour,menuS1halfHours=1 1/2 Hours,menuS2Hours=2 Hours,menuS3Hours=3 "
                       "Hours,menuS5Hours=5 Hours,menuS10Hours=10 Hours,menuS20Hours=20 Hours"));
    for (const char* name : {"menuTrasp10", "menuTrasp90", "menuS10Seconds", "menuS45Minutes", "menuSNow",
                             "menuRABORT", "menuRCustom", "menuRNow", "N7"})
        EXPECT_NE(clock().findChild<QAction*>(QString::fromLatin1(name)), nullptr) << name;
    EXPECT_FALSE(ClockParts(clock()).menuAlwaysOnTop->isChecked());
}

TEST_F(MainWindow, MinimizeAndRestoreAreEnabledInTurn) {
    start();
    EXPECT_TRUE(ClockParts(clock()).menuMinimize->isEnabled());
    EXPECT_FALSE(ClockParts(clock()).menuRestore->isEnabled());
    ClockParts(clock()).menuMinimize->trigger();
    EXPECT_FALSE(ClockParts(clock()).menuMinimize->isEnabled());
    EXPECT_TRUE(ClockParts(clock()).menuRestore->isEnabled());
    EXPECT_FALSE(clock().isVisible()) << "hidden into the tray";
    ClockParts(clock()).menuRestore->trigger();
    EXPECT_TRUE(ClockParts(clock()).menuMinimize->isEnabled());
    EXPECT_FALSE(ClockParts(clock()).menuRestore->isEnabled());
    EXPECT_TRUE(clock().isVisible());
}

TEST_F(MainWindow, ExitWithAnyButtonOnTheSquareOrTheItem) {
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        program.reset();
        start();
        QSignalSpy terminated(&clock(), &Tdialform::terminateRequested);
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5),
                          ClockParts(clock()).shexit->mapToGlobal(QPointF(5, 5)), button, button,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(ClockParts(clock()).shexit, &press);
        EXPECT_EQ(terminated.count(), 1) << button;
    }
    QSignalSpy terminated(&clock(), &Tdialform::terminateRequested);
    ClockParts(clock()).menuExit->trigger();
    EXPECT_EQ(terminated.count(), 1);
}

TEST_F(MainWindow, AboutUnrollsOnceAndASecondClickOnlyFocuses) {
    start();
    Tfrmabout& about = program->informationWindow();
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5),
                        ClockParts(clock()).Shopt->mapToGlobal(QPointF(5, 5)), Qt::RightButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(ClockParts(clock()).Shopt, &release);
    EXPECT_TRUE(about.isVisible());
    EXPECT_EQ(about.height(), 14);
    EXPECT_TRUE(about.timershowabout->isActive());

    std::vector<int> heights;
    for (int step = 0; step < 5; ++step) {
        about.timershowaboutTimer();
        heights.push_back(about.height());
    }
    ClockParts(clock()).menuAbout1->trigger();
    EXPECT_EQ(about.height(), 89) << "not restarted";
    while (about.timershowabout->isActive() && heights.size() < 40) {
        about.timershowaboutTimer();
        heights.push_back(about.height());
    }
    EXPECT_EQ(heights.front(), 29);
    EXPECT_EQ(heights.size(), 20u) << "19 growth steps, then the tick that stops";
    EXPECT_EQ(heights[17], 284);
    EXPECT_EQ(heights[18], 302);
    EXPECT_EQ(heights.back(), 302);
}

TEST_F(MainWindow, TweakingOpensTheEditorModallyUnderTheClock) {
    start();
    clock().move(500, 100);
    QRect seen;
    fakes.dialogs.modalRun = [&](QDialog& dialog) {
        seen = dialog.geometry();
        return 0;
    };
    ClockParts(clock()).menuTweaking->trigger();
    ASSERT_EQ(fakes.dialogs.modalRuns.size(), 1u);
    EXPECT_EQ(fakes.dialogs.modalRuns[0], &program->tweakEditor());
    EXPECT_EQ(seen.width(), 540);
    EXPECT_EQ(seen.x(), 500 - (540 - 83));
    EXPECT_EQ(seen.y(), 100 + 44);
}

TEST_F(MainWindow, AnErrorEscapingAHandlerReachesTheErrorBoxAndTheProgramRunsOn) {
    start();
    auto& app = *static_cast<DialtopApplication*>(qApp);
    app.reportErrorsTo(fakes.dialogs);
    bool firstStepDone = false;
    bool laterEventRan = false;
    QTimer::singleShot(0, &clock(), [&] {
        firstStepDone = true;
        settings().TimeDifference = StrToInt("12x");
        ADD_FAILURE() << "the handler went on after the failing step";
    });
    QTimer::singleShot(0, &clock(), [&] { laterEventRan = true; });
    for (int i = 0; i < 5 && !laterEventRan; ++i)
        QCoreApplication::processEvents();
    app.setErrorReporter(nullptr);

    const auto errors = fakes.dialogs.texts(fake::Dialogs::Kind::Error);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], QStringLiteral("'12x' is not a valid integer value."));
    EXPECT_EQ(fakes.dialogs.boxes.back().title, QStringLiteral("dialtop"));
    EXPECT_TRUE(firstStepDone);
    EXPECT_TRUE(laterEventRan);
}

} // namespace
