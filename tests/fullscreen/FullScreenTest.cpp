#include "clock/ClockFixture.h"
#include "fullscreen/frmSleepU.h"
#include "fullscreen/frmroseU.h"
#include "hotkeys/HotKeyManager.h"
#include "support/ClockParts.h"
#include "ui/MessageTimer.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>

#include <set>

namespace {

// Counts how often the clock was taken off the screen (hidden into the tray or iconified).
class Disappearances : public QObject {
public:
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Hide)
            ++count;
        return false;
    }
};

void pressKey(QWidget& window, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&window, &press);
}

class FullScreen : public ClockFixture {
protected:
    void SetUp() override {
        ClockFixture::SetUp();
        start();
        clock().installEventFilter(&gone);
    }
    void TearDown() override { clock().removeEventFilter(&gone); }

    TfrmSleep& blank() { return program->blankScreen(); }
    Tfrmrose& penguin() { return program->penguin(); }

    void show(QWidget& window, MessageTimer& timer) {
        window.setGeometry(fakes.windows.screen);
        window.show();
        timer.setEnabled(true);
    }
    // The Minimize-Restore pair ran: the clock was brought to the front without going away on the way.
    void expectMinimizedAndRestoredOnce() {
        EXPECT_EQ(gone.count, 0);
        EXPECT_TRUE(clock().isVisible());
        EXPECT_TRUE(std::any_of(fakes.windows.activations.begin(), fakes.windows.activations.end(),
                                [&](const auto& activation) { return activation.first == &clock(); }));
        EXPECT_TRUE(ClockParts(clock()).menuMinimize->isEnabled());
        EXPECT_FALSE(ClockParts(clock()).menuRestore->isEnabled());
        gone.count = 0;
    }

    Disappearances gone;
};

TEST_F(FullScreen, TheHotKeysCoverTheScreenAndActivateWithThePressTime) {
    // Ctrl+Shift+F1 and Alt+Ctrl+R, as the window system delivers them.
    fakes.hotKeys.press(platform::ModCtrl | platform::ModShift, 0x70, 4711);
    fakes.hotKeys.press(platform::ModAlt | platform::ModCtrl, 0x52, 4712);
    QCoreApplication::processEvents();
    EXPECT_TRUE(fakes.windows.covered.count(&blank()));
    EXPECT_TRUE(fakes.windows.covered.count(&penguin()));
    const std::vector<std::pair<const QWidget*, std::uint32_t>> expected = {{&blank(), 4711},
                                                                            {&penguin(), 4712}};
    EXPECT_EQ(fakes.windows.activations, expected);
    EXPECT_TRUE(blank().Timer1->isEnabled());
    EXPECT_TRUE(penguin().timerrose->isEnabled());
}

TEST_F(FullScreen, TheBlankScreenLeavesOnEachExitKeyAndIgnoresTheRest) {
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Alt, Qt::Key_AltGr}) {
        show(blank(), *blank().Timer1);
        pressKey(blank(), Qt::Key_Space);
        EXPECT_TRUE(blank().isVisible()) << "Space leaves it alone";
        EXPECT_EQ(gone.count, 0);
        pressKey(blank(), key);
        EXPECT_FALSE(blank().isVisible()) << QKeySequence(key).toString().toStdString();
        EXPECT_FALSE(blank().Timer1->isEnabled());
        expectMinimizedAndRestoredOnce();
    }
}

TEST_F(FullScreen, TheHintJumpsBetweenWholeCellsOfItsOwnSize) {
    std::set<std::pair<int, int>> places;
    for (int tick = 0; tick < 200; ++tick) {
        blank().Timer1Timer();
        const QPoint at = blank().lblesc1->pos();
        EXPECT_EQ(at.x() % TfrmSleep::HintWidth, 0);
        EXPECT_EQ(at.y() % TfrmSleep::HintHeight, 0);
        EXPECT_LE(at.x() + TfrmSleep::HintWidth, 1024);
        EXPECT_LE(at.y() + TfrmSleep::HintHeight, 768);
        places.emplace(at.x(), at.y());
    }
    EXPECT_GT(places.size(), 100u) << "ticks close together must not repeat one place";
}

TEST_F(FullScreen, PenguinsAppearOnlyInWholeCellsThroughTheirMask) {
    show(penguin(), *penguin().timerrose);
    ASSERT_EQ(penguin().Canvas().size(), QSize(1024, 768));
    EXPECT_EQ(penguin().ImageList1.size(), QSize(200, 200));
    EXPECT_EQ(penguin().ImageList1.pixelColor(0, 0).alpha(), 0) << "transparent around the bird";

    bool drawn = false;
    for (int tick = 0; tick < 60; ++tick) {
        penguin().timerroseTimer();
        const QImage& canvas = penguin().Canvas();
        for (int y = 0; y < 768; y += 7) {
            for (int x = 1000; x < 1024; ++x)
                ASSERT_EQ(canvas.pixel(x, y), qRgb(255, 255, 255)) << "no penguin at " << x << "," << y;
            for (int x = 0; x < 1000; x += 5)
                drawn = drawn || canvas.pixel(x, y) != qRgb(255, 255, 255);
        }
        for (int x = 0; x < 1024; x += 7)
            ASSERT_EQ(canvas.pixel(x, 767), qRgb(255, 255, 255)) << "the rows from 600 on stay white";
        // The corners of a cell are outside the bird: the white under the mask shows there.
        for (int cx = 0; cx < 1000; cx += 200)
            for (int cy = 0; cy < 600; cy += 200)
                ASSERT_EQ(canvas.pixel(cx + 1, cy + 1), qRgb(255, 255, 255));
    }
    EXPECT_TRUE(drawn);
    EXPECT_EQ(penguin().lblesc2->geometry().right(), penguin().width() - 1) << "the second hint keeps right";
}

TEST_F(FullScreen, EveryPenguinKeyMinimizesAndRestoresButOnlyExitKeysLeave) {
    show(penguin(), *penguin().timerrose);
    pressKey(penguin(), Qt::Key_Space);
    EXPECT_TRUE(penguin().isVisible());
    EXPECT_TRUE(penguin().timerrose->isEnabled());
    expectMinimizedAndRestoredOnce();
    ASSERT_FALSE(fakes.windows.activations.empty());
    EXPECT_EQ(fakes.windows.activations.back().first, &penguin())
        << "the keyboard comes back to the penguins";

    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Alt, Qt::Key_AltGr}) {
        show(penguin(), *penguin().timerrose);
        pressKey(penguin(), key);
        EXPECT_FALSE(penguin().isVisible()) << QKeySequence(key).toString().toStdString();
        EXPECT_FALSE(penguin().timerrose->isEnabled());
        expectMinimizedAndRestoredOnce();
    }
}

} // namespace
