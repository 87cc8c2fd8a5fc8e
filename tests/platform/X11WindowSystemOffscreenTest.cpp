#include "platform/linux/X11WindowSystem.h"

#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

// Without an X display the service must still answer sensibly and never touch xcb.
namespace {

TEST(X11WindowSystemOffscreen, RemembersAHiddenTaskbarButton) {
    X11WindowSystem windows;
    QWidget shown;
    QWidget other;
    shown.show();
    other.show();
    EXPECT_TRUE(windows.isTaskbarButtonVisible(shown));
    windows.hideTaskbarButton(shown);
    EXPECT_FALSE(windows.isTaskbarButtonVisible(shown));
    EXPECT_TRUE(windows.isTaskbarButtonVisible(other));
    shown.hide();
    shown.show();
    EXPECT_FALSE(windows.isTaskbarButtonVisible(shown));
}

TEST(X11WindowSystemOffscreen, TopmostKeepsTheNativeWindow) {
    X11WindowSystem windows;
    QWidget window;
    window.show();
    const QWindow* handle = window.windowHandle();
    for (const bool topmost : {true, false, true}) {
        windows.setTopmost(window, topmost);
        EXPECT_EQ(window.windowHandle(), handle);
        EXPECT_EQ(window.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint), topmost);
        EXPECT_TRUE(window.isVisible());
    }
}

TEST(X11WindowSystemOffscreen, TopmostBeforeTheFirstShowIsKept) {
    X11WindowSystem windows;
    QWidget window;
    windows.setTopmost(window, true);
    window.show();
    EXPECT_TRUE(window.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST(X11WindowSystemOffscreen, BringToFrontLeavesSizeAndTopmostAlone) {
    X11WindowSystem windows;
    QWidget window;
    window.setGeometry(10, 20, 83, 44);
    window.show();
    for (const bool topmost : {false, true}) {
        windows.setTopmost(window, topmost);
        windows.bringToFront(window);
        EXPECT_EQ(window.size(), QSize(83, 44));
        EXPECT_EQ(window.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint), topmost);
    }
}

} // namespace
