// The shared widgets keep the rules the windows rely on: text buttons act on release, drags go to the
// window manager or follow the pointer, timers of interval 0 never fire.
#include "platform/fake/FakeServices.h"
#include "ui/FaceDrag.h"
#include "ui/MessageTimer.h"
#include "ui/TextButton.h"

#include <QElapsedTimer>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

const QColor Grey(0x80, 0x80, 0x80);
const QColor Orange(0xFF, 0x80, 0x00);

void send(QWidget& widget, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPoint at) {
    QMouseEvent event(type, at, widget.mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &event);
}

TEST(TextButton, TurnsOrangeWhilePressedAndActsOnlyAfterTurningGreyAgain) {
    QWidget window;
    TTextButton button(QStringLiteral("stbtnOK"), QStringLiteral("OK"), &window);
    std::vector<QColor> colourAtSignal;
    QObject::connect(&button, &TTextButton::mouseDown,
                     [&] { colourAtSignal.push_back(button.palette().color(QPalette::Window)); });
    QObject::connect(&button, &TTextButton::mouseUp, [&](Qt::MouseButton which, QPoint at) {
        colourAtSignal.push_back(button.palette().color(QPalette::Window));
        EXPECT_EQ(which, Qt::RightButton);
        EXPECT_EQ(at, QPoint(40, 3)); // released outside: still reported, where it happened
    });

    send(button, QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, {3, 3});
    send(button, QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton, {40, 3});

    EXPECT_EQ(colourAtSignal, (std::vector<QColor>{Orange, Grey}));
    EXPECT_EQ(button.focusPolicy(), Qt::NoFocus);
}

struct DragFixture : testing::Test {
    fake::WindowSystem windows;
    QWidget window;
    QWidget* face = new QWidget(&window);
    FaceDrag drag{window, windows};

    void SetUp() override {
        window.setGeometry(100, 100, 80, 40);
        face->setGeometry(0, 0, 80, 40);
        drag.addSources({face});
    }
};

TEST_F(DragFixture, LeftPressHandsTheMoveToTheWindowManagerOtherButtonsDoNothing) {
    send(*face, QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, {5, 5});
    send(*face, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton | Qt::RightButton, {5, 5});
    EXPECT_TRUE(windows.systemMoves.empty());

    send(*face, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {5, 5});
    EXPECT_EQ(windows.systemMoves, std::vector<const QWidget*>{&window});
    send(*face, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {50, 25});
    EXPECT_EQ(window.pos(), QPoint(100, 100)); // the window manager moves it, not we
}

TEST_F(DragFixture, WithoutAWindowManagerTheWindowFollowsThePointerUntilRelease) {
    windows.hasWindowManager = false;
    send(*face, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {5, 5});
    send(*face, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {25, 15});
    EXPECT_EQ(window.pos(), QPoint(120, 110));
    send(*face, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {5, 5});
    send(*face, QEvent::MouseMove, Qt::NoButton, Qt::NoButton, {60, 60});
    EXPECT_EQ(window.pos(), QPoint(120, 110));
}

TEST_F(DragFixture, APressHandledAfterTheButtonWasLetGoStartsNoMove) {
    // A busy program reads the press of a click only after its release.
    windows.leftButtonDown = false;
    send(*face, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {5, 5});
    EXPECT_TRUE(windows.systemMoves.empty());

    windows.hasWindowManager = false;
    send(*face, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {5, 5});
    send(*face, QEvent::MouseMove, Qt::NoButton, Qt::NoButton, {60, 60});
    EXPECT_EQ(window.pos(), QPoint(100, 100));
}

int firingsWithin(MessageTimer& timer, int milliseconds) {
    QSignalSpy fired(&timer, &MessageTimer::timeout);
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < milliseconds)
        QTest::qWait(5);
    return static_cast<int>(fired.count());
}

TEST(MessageTimer, IntervalZeroIsArmedButNeverFiresAndFiringDoesNotDisable) {
    MessageTimer timer;
    timer.setInterval(0);
    timer.setEnabled(true);
    EXPECT_TRUE(timer.isEnabled());
    EXPECT_EQ(firingsWithin(timer, 60), 0);

    timer.setInterval(5); // restarts the armed timer with the new period
    EXPECT_GE(firingsWithin(timer, 200), 2);
    EXPECT_TRUE(timer.isEnabled());

    timer.setEnabled(false);
    EXPECT_EQ(firingsWithin(timer, 30), 0);
}

} // namespace
