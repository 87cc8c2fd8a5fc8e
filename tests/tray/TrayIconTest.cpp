#include "tray/TrayIcon.h"

#include "clock/ClockFixture.h"
#include "support/ClockParts.h"
#include "ui/MessageTimer.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QTimer>

namespace {

using Activation = platform::NotificationArea::Activation;

class TrayIcon : public ClockFixture {
protected:
    TTrayIcon& tray() { return program->trayIcon(); }
    MessageTimer& frameTimer() { return *tray().findChild<MessageTimer*>(QStringLiteral("FrameTimer")); }
    qint64 shownFrame() const { return fakes.tray.icon.cacheKey(); }
    qint64 frame(int index) { return tray().IconList().at(index).cacheKey(); }
    bool hiddenInTray() { return !clock().isVisible(); }
};

TEST_F(TrayIcon, ShowsTheFirstOfTwoFramesAndAlternatesOnEveryCycle) {
    start();
    ASSERT_EQ(tray().IconList().size(), 2);
    EXPECT_NE(frame(0), frame(1));
    for (int size : {16, 22, 24, 32})
        EXPECT_EQ(tray().IconList()[1].pixmap(size).width(), size) << "drawn at " << size << " pixels";
    EXPECT_TRUE(fakes.tray.visible);
    EXPECT_EQ(shownFrame(), frame(0));
    EXPECT_FALSE(frameTimer().isEnabled()) << "the clock's tick steps the frames";
    EXPECT_EQ(frameTimer().interval(), 1000u);
    // Left to itself, the icon cycles on its own timer.
    tray().setPacedFromOutside(false);
    EXPECT_TRUE(frameTimer().isEnabled());

    std::vector<int> seen;
    tray().OnCycle = [&](int next) { seen.push_back(next); };
    for (int tick = 0; tick < 3; ++tick)
        emit frameTimer().timeout();
    EXPECT_EQ(seen, std::vector<int>({1, 0, 1}));
    EXPECT_EQ(shownFrame(), frame(1));

    // Turned on again, or given a new period, the cycling starts over from the first frame.
    tray().setCycleInterval(0);
    EXPECT_EQ(tray().IconIndex(), 0);
    EXPECT_EQ(shownFrame(), frame(0));
    tray().setIconIndex(7);
    EXPECT_EQ(tray().IconIndex(), 1) << "clamped to the last frame";
    tray().setIconList({});
    tray().setIconIndex(1);
    EXPECT_EQ(tray().IconIndex(), 0);
    emit frameTimer().timeout(); // nothing to cycle through
    EXPECT_EQ(tray().IconIndex(), 0);
}

TEST_F(TrayIcon, TheClocksTickStepsOneFrameASecondAndTheIconWakesNothingOfItsOwn) {
    start();
    auto* tick = clock().findChild<QTimer*>(QStringLiteral("Timer1"));
    ASSERT_NE(tick, nullptr);
    const auto fire = [tick] { ASSERT_TRUE(QMetaObject::invokeMethod(tick, "timeout")); };
    std::vector<int> seen;
    tray().OnCycle = [&](int next) { seen.push_back(next); };

    fakes.clock.set(14, 5, 1);
    fire();
    fire(); // woken twice in one second: one frame
    fakes.clock.set(14, 5, 2);
    fire();
    EXPECT_EQ(seen, std::vector<int>({1, 0}));
    EXPECT_EQ(shownFrame(), frame(0));

    tray().setCycleInterval(0);
    fakes.clock.set(14, 5, 3);
    fire();
    EXPECT_EQ(seen.size(), 2u) << "an interval of 0 stands the cycling still";
    tray().setCycleInterval(1000);
    tray().setCycleIcons(false);
    tray().StepFrame();
    EXPECT_EQ(seen.size(), 2u) << "not cycling";
    tray().setCycleIcons(true);
    tray().setPacedFromOutside(false);
    tray().StepFrame();
    EXPECT_EQ(seen.size(), 2u) << "its own timer paces it now";
    EXPECT_TRUE(tick->isActive()) << "the tick stays aimed";
}

TEST_F(TrayIcon, TheTipFollowsTheClockAndStopsAt127Characters) {
    start();
    fakes.power.onMains(87);
    clock().Timer1Timer();
    EXPECT_EQ(fakes.tray.toolTip, QStringLiteral("14:05:00 (87%)"));

    tray().setHint(QString(200, QLatin1Char('x')));
    EXPECT_EQ(fakes.tray.toolTip.size(), TTrayIcon::MaxHintLength);
    EXPECT_EQ(tray().Hint().size(), 200) << "only the tip is cut";
    // A character outside the 16-bit range straddling the cut goes whole, not half.
    tray().setHint(QString(126, QLatin1Char('x')) + QString::fromUcs4(U"\U0001F427"));
    EXPECT_EQ(fakes.tray.toolTip, QString(126, QLatin1Char('x')));

    tray().setShowHint(false);
    EXPECT_TRUE(fakes.tray.toolTip.isEmpty());
}

TEST_F(TrayIcon, GivesThePopupMenuToTheDesktopOnceAndNeverOpensASecondOne) {
    start();
    EXPECT_EQ(fakes.tray.contextMenus, std::vector<QMenu*>({ClockParts(clock()).PopupMenu1}));
    int clicks = 0;
    tray().events().OnClick = [&] { ++clicks; };
    fakes.tray.activate(Activation::Context);
    EXPECT_FALSE(ClockParts(clock()).PopupMenu1->isVisible()) << "the desktop shows the menu itself";
    EXPECT_EQ(clicks, 0);

    tray().setLeftPopup(true);
    fakes.tray.activate(Activation::Click);
    EXPECT_TRUE(ClockParts(clock()).PopupMenu1->isVisible()) << "a left press opens it only when asked to";
    EXPECT_EQ(clicks, 1);
    ClockParts(clock()).PopupMenu1->hide();
}

TEST_F(TrayIcon, ADoubleClickOnTheIconIsOneClick) {
    start();
    int clicks = 0;
    tray().events().OnClick = [&] { ++clicks; };
    fakes.tray.activate(Activation::Click);
    fakes.tray.activate(Activation::DoubleClick);
    EXPECT_EQ(clicks, 1);
    fakes.tray.activate(Activation::MiddleClick);
    EXPECT_EQ(clicks, 1);
    tray().setEnabled(false);
    fakes.tray.activate(Activation::Click);
    EXPECT_EQ(clicks, 1);
}

TEST_F(TrayIcon, MinimizeHidesIntoTheTrayAndAClickBringsTheClockBack) {
    start();
    ClockParts(clock()).menuMinimize->trigger();
    EXPECT_TRUE(hiddenInTray());
    EXPECT_TRUE(fakes.tray.visible);
    EXPECT_TRUE(ClockParts(clock()).menuRestore->isEnabled());

    fakes.windows.applicationActive = false;
    fakes.tray.activate(Activation::Click);
    EXPECT_TRUE(clock().isVisible());
    EXPECT_TRUE(ClockParts(clock()).menuMinimize->isEnabled());
    EXPECT_FALSE(ClockParts(clock()).menuRestore->isEnabled());
    ASSERT_FALSE(fakes.windows.activations.empty());
    EXPECT_EQ(fakes.windows.activations.back().first, &clock());
    EXPECT_TRUE(fakes.windows.taskbarHidden.count(&clock()));

    // Hidden in the tray, the program may still count as active (the icon is its own window).
    clock().menuMinimizeClick();
    fakes.windows.applicationActive = true;
    fakes.tray.activate(Activation::Click);
    EXPECT_TRUE(clock().isVisible());

    // Active and in view: only brought forward.
    const std::size_t before = fakes.windows.activations.size();
    ClockParts(clock()).menuRestore->setEnabled(true);
    clock().cltrayClick();
    EXPECT_TRUE(ClockParts(clock()).menuRestore->isEnabled()) << "no Restore for a program in front";
    EXPECT_EQ(fakes.windows.activations.size(), before + 1);
}

TEST_F(TrayIcon, ATrayClickRaisesTheWindowLastActiveInsteadOfTheClock) {
    start();
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    QCoreApplication::processEvents();
    clock().cltrayClick();
    ASSERT_FALSE(fakes.windows.activations.empty());
    EXPECT_EQ(fakes.windows.activations.back().first, &other);

    other.hide();
    clock().cltrayClick();
    EXPECT_EQ(fakes.windows.activations.back().first, &clock()) << "a hidden window is not raised";
}

TEST_F(TrayIcon, AClickActivatesTheOpenDialogWithTheClicksTime) {
    start();
    QDialog box;
    box.setWindowModality(Qt::ApplicationModal);
    box.show();
    fakes.tray.activate(Activation::Click, 4242);
    ASSERT_FALSE(fakes.windows.activations.empty());
    EXPECT_EQ(fakes.windows.activations.back(), std::make_pair(static_cast<const QWidget*>(&box), 4242u))
        << "the time lets the activation past focus-stealing prevention";
}

TEST_F(TrayIcon, WithoutATrayHostMinimizeLeavesATaskbarEntry) {
    fakes.taskbar.there = false;
    start();
    ClockParts(clock()).menuMinimize->trigger();
    EXPECT_TRUE(clock().isMinimized());
    EXPECT_TRUE(clock().isVisible());
    EXPECT_FALSE(fakes.windows.taskbarHidden.count(&clock()));
    clock().Timer1Timer();
    EXPECT_FALSE(fakes.windows.taskbarHidden.count(&clock())) << "the tick must leave the entry alone";

    ClockParts(clock()).menuRestore->trigger();
    EXPECT_FALSE(clock().isMinimized());
    EXPECT_TRUE(fakes.windows.taskbarHidden.count(&clock()));
}

TEST_F(TrayIcon, AClockHiddenInATrayThatGoesAwayIsGivenATaskbarEntry) {
    start();
    clock().menuMinimizeClick();
    ASSERT_TRUE(hiddenInTray());

    fakes.taskbar.there = false;
    clock().Timer1Timer();
    EXPECT_TRUE(clock().isVisible());
    EXPECT_TRUE(clock().isMinimized());
    EXPECT_FALSE(fakes.windows.taskbarHidden.count(&clock()));

    // The host comes back: the icon is docked afresh and the clock is restored.
    fakes.taskbar.there = true;
    fakes.tray.visible = false;
    clock().Timer1Timer();
    EXPECT_TRUE(fakes.tray.visible);
    EXPECT_TRUE(clock().isVisible());
    EXPECT_FALSE(clock().isMinimized());
    EXPECT_TRUE(ClockParts(clock()).menuMinimize->isEnabled());
}

TEST_F(TrayIcon, IconifiedByTheWindowManagerWithATrayGoesIntoTheTray) {
    start();
    clock().showMinimized();
    QCoreApplication::processEvents();
    EXPECT_TRUE(hiddenInTray());
}

} // namespace
