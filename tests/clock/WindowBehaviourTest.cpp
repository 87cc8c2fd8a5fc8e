#include "ClockFixture.h"
#include "app/DialtopApplication.h"
#include "support/ClockParts.h"
#include "sysinfo/frmAboutU.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

namespace {

class WindowBehaviour : public ClockFixture {
protected:
    // A press, a move and a release of the mouse on a widget, as the window system delivers them.
    static void mouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
                      Qt::MouseButtons held, Qt::KeyboardModifiers modifiers = {}) {
        QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, modifiers);
        QApplication::sendEvent(widget, &event);
    }
    static void press(QWidget* widget, Qt::MouseButton button = Qt::LeftButton, QPoint at = {4, 4}) {
        mouse(widget, QEvent::MouseButtonPress, at, button, button);
    }
    static void release(QWidget* widget, Qt::MouseButton button = Qt::LeftButton) {
        mouse(widget, QEvent::MouseButtonRelease, {4, 4}, button, {});
    }
    static void moveTo(QWidget* widget, QPoint global, Qt::MouseButtons held,
                       Qt::KeyboardModifiers modifiers = {}) {
        QMouseEvent event(QEvent::MouseMove, widget->mapFromGlobal(global), global, Qt::NoButton, held,
                          modifiers);
        QApplication::sendEvent(widget, &event);
    }

    QAction* item(const char* name) {
        return ClockParts(clock()).PopupMenu1->findChild<QAction*>(QString::fromLatin1(name));
    }

    // The checked items of the transparency submenu.
    QStringList checkedTransparency() {
        QStringList checked;
        for (QAction* action :
             qobject_cast<QMenu*>(ClockParts(clock()).menuTrasparencyEnable->parent())->actions()) {
            if (action->isChecked())
                checked << action->text();
        }
        return checked;
    }

    QColor fill(QWidget* shape) { return shape->grab().toImage().pixelColor(5, 5); }
};

TEST_F(WindowBehaviour, OnlyTheBodyAndItsFramesStartTheWindowManagersMove) {
    start();
    press(ClockParts(clock()).boxout);
    press(ClockParts(clock()).boxin);
    EXPECT_EQ(fakes.windows.systemMoves.size(), 2u);
    press(ClockParts(clock()).boxout, Qt::MiddleButton);
    for (QWidget* part :
         {static_cast<QWidget*>(ClockParts(clock()).DialLabel),
          static_cast<QWidget*>(ClockParts(clock()).lblbattery),
          static_cast<QWidget*>(ClockParts(clock()).Shopt), static_cast<QWidget*>(ClockParts(clock()).Shmove),
          static_cast<QWidget*>(ClockParts(clock()).lblother)}) {
        press(part);
        release(part);
    }
    EXPECT_EQ(fakes.windows.systemMoves.size(), 2u) << "a press elsewhere on the face reached the body";
}

TEST_F(WindowBehaviour, LabelDragMovesOnlyOnAPlainLeftDragAndPausesTheCreep) {
    start();
    clock().ShmoveMouseUp();
    QLabel* label = ClockParts(clock()).diallabel2;
    press(label, Qt::LeftButton, {10, 5});
    EXPECT_FALSE(clock().Moving);
    moveTo(label, {500, 300}, Qt::LeftButton, Qt::ControlModifier);
    moveTo(label, {500, 300}, Qt::LeftButton | Qt::RightButton);
    EXPECT_EQ(clock().pos(), QPoint(1024 - 83, 0)) << "only a plain left drag moves the window";
    moveTo(label, {500, 300}, Qt::LeftButton);
    // One pixel right of the cursor and level with it, the window's border included.
    EXPECT_EQ(clock().pos(), QPoint(500 - 10 - label->x(), 300 - 5 - label->y() - 1));
    clock().timermoveTimer();
    EXPECT_EQ(clock().pos(), QPoint(500 - 10 - label->x(), 300 - 5 - label->y() - 1)) << "paused";
    release(label);
    EXPECT_TRUE(clock().Moving);

    // A right press opens the menu, which takes the release.
    press(ClockParts(clock()).DialLabel, Qt::RightButton);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, {4, 4},
                           ClockParts(clock()).DialLabel->mapToGlobal(QPoint(4, 4)));
    QApplication::sendEvent(ClockParts(clock()).DialLabel, &menu);
    ClockParts(clock()).PopupMenu1->hide();
    EXPECT_TRUE(clock().Moving);
}

TEST_F(WindowBehaviour, CreepMovesLeftAndWrapsToTheWorkAreasRightEdge) {
    fakes.windows.work = QRect(0, 0, 1000, 740);
    start();
    clock().move(1, 0);
    clock().ShmoveMouseUp();
    EXPECT_TRUE(ClockParts(clock()).timermove->isActive());
    EXPECT_EQ(ClockParts(clock()).timermove->interval(), 45);
    clock().timermoveTimer();
    EXPECT_EQ(clock().pos(), QPoint(0, 0));
    clock().timermoveTimer();
    EXPECT_EQ(clock().pos(), QPoint(-1, 0));
    clock().timermoveTimer();
    EXPECT_EQ(clock().pos(), QPoint(1000 - 83, 0));

    // A window manager that keeps the window on the screen.
    clock().move(0, 0);
    clock().timermoveTimer();
    clock().move(0, 0);
    clock().timermoveTimer();
    EXPECT_EQ(clock().pos(), QPoint(1000 - 83, 0)) << "held at 0, the creep must still wrap";

    clock().ShmoveMouseUp();
    EXPECT_FALSE(clock().Moving);
    EXPECT_FALSE(ClockParts(clock()).timermove->isActive());
}

TEST_F(WindowBehaviour, CornerSnapsToTheWorkAreasWidthWithoutItsOffset) {
    fakes.windows.work = QRect(40, 0, 984, 740); // a taskbar at the left
    start();
    clock().move(200, 300);
    press(ClockParts(clock()).shcorner, Qt::RightButton);
    EXPECT_EQ(fill(ClockParts(clock()).shcorner), QColor(0x00, 0x80, 0x00));
    release(ClockParts(clock()).shcorner, Qt::RightButton);
    EXPECT_EQ(clock().pos(), QPoint(984 - 83, 0));
    EXPECT_TRUE(clock().isVisible());
    EXPECT_EQ(fill(ClockParts(clock()).shcorner), QColor(0x00, 0x00, 0x80));
    EXPECT_TRUE(fakes.windows.systemMoves.empty());
}

TEST_F(WindowBehaviour, TheSquaresTakeTheRightButtonAndTheRestOfTheFaceOpensTheMenu) {
    fakes.windows.work = QRect(0, 0, 1000, 740);
    start();
    clock().move(200, 300);
    // Through the window, as the window system delivers them: a right press also asks for the menu.
    const auto rightButton = [&](QWidget* part) {
        const QPoint at = part->mapTo(&clock(), QPoint(4, 4));
        QTest::mousePress(clock().windowHandle(), Qt::RightButton, {}, at);
        QTest::mouseRelease(clock().windowHandle(), Qt::RightButton, {}, at);
    };
    rightButton(ClockParts(clock()).shcorner);
    EXPECT_EQ(clock().pos(), QPoint(1000 - 83, 0));
    EXPECT_FALSE(ClockParts(clock()).PopupMenu1->isVisible());
    rightButton(ClockParts(clock()).Shmove);
    EXPECT_TRUE(ClockParts(clock()).timermove->isActive());
    rightButton(ClockParts(clock()).Shmove);
    EXPECT_FALSE(ClockParts(clock()).timermove->isActive());
    EXPECT_FALSE(ClockParts(clock()).PopupMenu1->isVisible());

    rightButton(ClockParts(clock()).Shopt);
    EXPECT_TRUE(program->informationWindow().isVisible());
    EXPECT_FALSE(ClockParts(clock()).PopupMenu1->isVisible());

    rightButton(ClockParts(clock()).DialLabel); // the menu takes the release
    EXPECT_TRUE(ClockParts(clock()).PopupMenu1->isVisible());
    ClockParts(clock()).PopupMenu1->hide();
}

// Beside a monitor on its left, or below one.
TEST_F(WindowBehaviour, CornerAndCreepKeepToAPrimaryScreenAwayFromTheDesktopsOrigin) {
    for (const QPoint origin : {QPoint(1920, 0), QPoint(0, 1080)}) {
        SCOPED_TRACE(testing::Message() << origin.x() << "," << origin.y());
        fakes.windows.screen = QRect(origin, QSize(1024, 768));
        fakes.windows.work = QRect(origin + QPoint(40, 0), QSize(984, 740)); // a taskbar at the left
        start();
        clock().move(origin + QPoint(200, 300));
        clock().shcornerMouseUp();
        EXPECT_EQ(clock().pos(), origin + QPoint(984 - 83, 0));

        clock().move(origin);
        clock().ShmoveMouseUp();
        clock().timermoveTimer();
        EXPECT_EQ(clock().pos(), origin + QPoint(-1, 0));
        clock().timermoveTimer();
        EXPECT_EQ(clock().pos(), origin + QPoint(984 - 83, 0)) << "wraps at the primary screen's left edge";
        program.reset();
    }
}

TEST_F(WindowBehaviour, TransparencyItemsKeepTheirCheckRules) {
    start();
    EXPECT_TRUE(checkedTransparency().isEmpty());
    item("menuTrasp50")->trigger();
    EXPECT_EQ(checkedTransparency(), QStringList({"Enable", "50%"}));
    EXPECT_DOUBLE_EQ(clock().windowOpacity(), 128 / 255.0);
    item("menuTrasp50")->trigger(); // the checked item again
    EXPECT_EQ(checkedTransparency(), QStringList({"Enable", "50%"}));
    item("menuTrasp90")->trigger();
    EXPECT_EQ(checkedTransparency(), QStringList({"Enable", "90%"}));
    EXPECT_DOUBLE_EQ(clock().windowOpacity(), 26 / 255.0);

    ClockParts(clock()).menuTrasparencyEnable->trigger();
    EXPECT_TRUE(checkedTransparency().isEmpty()) << "none checked";
    EXPECT_DOUBLE_EQ(clock().windowOpacity(), 1.0);
    ClockParts(clock()).menuTrasparencyEnable->trigger();
    EXPECT_EQ(checkedTransparency(), QStringList({"Enable", "30%"}));
    EXPECT_DOUBLE_EQ(clock().windowOpacity(), 179 / 255.0);
}

TEST_F(WindowBehaviour, StartAtLogInFollowsTheCaptionTheMenuShowed) {
    fakes.autostart.registered = "/old/place/dialtop";
    start();
    QAction* startItem = ClockParts(clock()).menuStartWithWindows;
    emit ClockParts(clock()).PopupMenu1->aboutToShow();
    EXPECT_EQ(startItem->text(), QStringLiteral("Don't Start with Windows"));
    startItem->trigger();
    EXPECT_FALSE(fakes.autostart.registered);
    EXPECT_EQ(startItem->text(), QStringLiteral("Don't Start with Windows")) << "until the menu opens";
    startItem->trigger();
    EXPECT_FALSE(fakes.autostart.registered) << "the caption, not the entry, chooses";

    emit ClockParts(clock()).PopupMenu1->aboutToShow();
    EXPECT_EQ(startItem->text(), QStringLiteral("Start with Windows"));
    startItem->trigger();
    EXPECT_EQ(fakes.autostart.registered, fakes.process.path);

    fakes.autostart.placeThere = false;
    emit ClockParts(clock()).PopupMenu1->aboutToShow();
    EXPECT_EQ(startItem->text(), QStringLiteral("Start with Windows")) << "nothing to ask: unchanged";

    fakes.autostart.placeThere = true;
    fakes.autostart.refusesWrites = true;
    auto& app = *static_cast<DialtopApplication*>(qApp);
    app.reportErrorsTo(fakes.dialogs);
    startItem->trigger();
    app.setErrorReporter(nullptr);
    EXPECT_EQ(
        fakes.dialogs.texts(fake::Dialogs::Kind::Error),
        std::vector<QString>{QStringLiteral("Failed to set data for '/fake/autostart/dialtop.desktop'")});
}

} // namespace
