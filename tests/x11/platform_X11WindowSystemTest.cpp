#include "platform/linux/X11WindowSystem.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>
#include <xcb/xcb.h>

// Runs in a private X session (Xvfb, openbox, trayer with a 24-pixel panel at the bottom) and checks
// the window manager's view through a connection of its own.
namespace {

// Lets Qt and the window manager work until `done` holds; the deadline only stops a hang, and is as
// generous as the other X11 tests' on a loaded machine.
bool waitUntil(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > 15000)
            return false;
        QApplication::processEvents();
        QThread::msleep(10);
    }
    return true;
}

// The X window Qt has now; QWidget::winId() keeps the first one if Qt re-creates it.
xcb_window_t xid(QWidget& window) {
    return static_cast<xcb_window_t>(window.windowHandle()->winId());
}

class XProbe {
public:
    XProbe() : connection_(xcb_connect(nullptr, nullptr)) {
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    }
    ~XProbe() { xcb_disconnect(connection_); }

    xcb_atom_t atom(const char* name) {
        auto* reply = xcb_intern_atom_reply(
            connection_, xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
            nullptr);
        const xcb_atom_t result = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
        std::free(reply);
        return result;
    }

    std::vector<std::uint32_t> property(xcb_window_t window, const char* name, xcb_atom_t type) {
        auto* reply = xcb_get_property_reply(
            connection_, xcb_get_property(connection_, 0, window, atom(name), type, 0, 1024), nullptr);
        std::vector<std::uint32_t> values;
        if (reply && reply->format == 32) {
            const auto* data = static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
            values.assign(data, data + xcb_get_property_value_length(reply) / 4);
        }
        std::free(reply);
        return values;
    }

    bool hasState(xcb_window_t window, const char* state) {
        const auto atoms = property(window, "_NET_WM_STATE", XCB_ATOM_ATOM);
        return std::find(atoms.begin(), atoms.end(), atom(state)) != atoms.end();
    }

    // Managed windows, bottom to top.
    std::vector<std::uint32_t> stacking() {
        return property(root_, "_NET_CLIENT_LIST_STACKING", XCB_ATOM_WINDOW);
    }

    bool managed(xcb_window_t window) {
        const auto windows = stacking();
        return std::find(windows.begin(), windows.end(), window) != windows.end();
    }

    bool above(xcb_window_t upper, xcb_window_t lower) {
        const auto windows = stacking();
        const auto u = std::find(windows.begin(), windows.end(), upper);
        const auto l = std::find(windows.begin(), windows.end(), lower);
        return u != windows.end() && l != windows.end() && u > l;
    }

    QSize size(xcb_window_t window) {
        auto* reply = xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window), nullptr);
        const QSize result = reply ? QSize(reply->width, reply->height) : QSize();
        std::free(reply);
        return result;
    }

    // x, y, width and height on the first desktop.
    std::vector<std::uint32_t> workArea() {
        std::vector<std::uint32_t> values = property(root_, "_NET_WORKAREA", XCB_ATOM_CARDINAL);
        values.resize(std::min<std::size_t>(values.size(), 4));
        return values;
    }

private:
    xcb_connection_t* connection_;
    xcb_window_t root_ = 0;
};

class X11WindowSystemTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb")); }

    // A clock-like window: frameless, 83 x 44, shown and managed by the window manager.
    std::unique_ptr<QWidget> showWindow(QRect geometry = {100, 100, 83, 44}) {
        auto window = std::make_unique<QWidget>(nullptr, Qt::FramelessWindowHint);
        window->setGeometry(geometry);
        window->show();
        const xcb_window_t id = xid(*window);
        EXPECT_TRUE(waitUntil([&] { return probe.managed(id); }));
        return window;
    }

    XProbe probe;
    X11WindowSystem windows;
};

TEST_F(X11WindowSystemTest, HideTaskbarButtonSetsSkipTaskbarAndPager) {
    const auto window = showWindow();
    const xcb_window_t id = xid(*window);
    EXPECT_TRUE(windows.isTaskbarButtonVisible(*window));
    EXPECT_FALSE(probe.hasState(id, "_NET_WM_STATE_SKIP_TASKBAR"));

    windows.hideTaskbarButton(*window);
    EXPECT_TRUE(waitUntil([&] { return probe.hasState(id, "_NET_WM_STATE_SKIP_TASKBAR"); }));
    EXPECT_TRUE(probe.hasState(id, "_NET_WM_STATE_SKIP_PAGER"));
    // The service learns of the change from the PropertyNotify on Qt's own connection, which may be
    // dispatched after our probe already sees the property.
    EXPECT_TRUE(waitUntil([&] { return !windows.isTaskbarButtonVisible(*window); }));
}

TEST_F(X11WindowSystemTest, TaskbarButtonStaysHiddenWhenTheWindowIsShownAgain) {
    const auto window = showWindow();
    const xcb_window_t id = xid(*window);
    windows.hideTaskbarButton(*window);
    ASSERT_TRUE(waitUntil([&] { return probe.hasState(id, "_NET_WM_STATE_SKIP_TASKBAR"); }));

    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        window->hide();
        ASSERT_TRUE(waitUntil([&] { return !probe.managed(id); }));
        window->show();
        ASSERT_TRUE(waitUntil([&] { return probe.managed(id); }));
        EXPECT_TRUE(waitUntil([&] { return probe.hasState(id, "_NET_WM_STATE_SKIP_TASKBAR"); }));
        EXPECT_TRUE(waitUntil([&] { return !windows.isTaskbarButtonVisible(*window); }));
        EXPECT_EQ(xid(*window), id);
    }
}

TEST_F(X11WindowSystemTest, TaskbarButtonHiddenBeforeTheFirstShow) {
    QWidget window(nullptr, Qt::FramelessWindowHint);
    window.resize(83, 44);
    windows.hideTaskbarButton(window);
    window.show();
    const xcb_window_t id = xid(window);
    ASSERT_TRUE(waitUntil([&] { return probe.managed(id); }));
    EXPECT_TRUE(waitUntil([&] { return probe.hasState(id, "_NET_WM_STATE_SKIP_TASKBAR"); }));
    EXPECT_TRUE(waitUntil([&] { return !windows.isTaskbarButtonVisible(window); }));
}

TEST_F(X11WindowSystemTest, TopmostTogglesAboveOnTheSameWindow) {
    const auto window = showWindow();
    const xcb_window_t id = xid(*window);
    for (const bool topmost : {true, false, true, false}) {
        SCOPED_TRACE(topmost);
        windows.setTopmost(*window, topmost);
        EXPECT_TRUE(waitUntil([&] { return probe.hasState(id, "_NET_WM_STATE_ABOVE") == topmost; }));
        EXPECT_EQ(xid(*window), id);
        EXPECT_TRUE(probe.managed(id));
    }
}

TEST_F(X11WindowSystemTest, TopmostSurvivesHideAndShow) {
    const auto window = showWindow();
    const xcb_window_t id = xid(*window);
    windows.setTopmost(*window, true);
    ASSERT_TRUE(waitUntil([&] { return probe.hasState(id, "_NET_WM_STATE_ABOVE"); }));
    window->hide();
    ASSERT_TRUE(waitUntil([&] { return !probe.managed(id); }));
    window->show();
    ASSERT_TRUE(waitUntil([&] { return probe.managed(id); }));
    EXPECT_TRUE(waitUntil([&] { return probe.hasState(id, "_NET_WM_STATE_ABOVE"); }));
    EXPECT_EQ(xid(*window), id);
}

TEST_F(X11WindowSystemTest, WorkAreaLeavesOutThePanel) {
    EXPECT_EQ(windows.screenGeometry(), QRect(0, 0, 1024, 768));
    // The window manager recomputes the work area after the panel's strut arrives.
    EXPECT_TRUE(waitUntil([&] { return probe.workArea() == std::vector<std::uint32_t>{0, 0, 1024, 744}; }));
    EXPECT_TRUE(waitUntil([&] { return windows.workArea() == QRect(0, 0, 1024, 744); }))
        << "work area " << windows.workArea().height();
}

TEST_F(X11WindowSystemTest, BringToFrontRaisesWithoutStayingOnTop) {
    const auto clock = showWindow({100, 100, 83, 44});
    const xcb_window_t id = xid(*clock);
    const auto cover = showWindow({80, 80, 200, 200});
    ASSERT_TRUE(waitUntil([&] { return probe.above(xid(*cover), id); }));

    windows.bringToFront(*clock);
    EXPECT_TRUE(waitUntil([&] { return probe.above(id, xid(*cover)); }));
    EXPECT_TRUE(waitUntil([&] { return !probe.hasState(id, "_NET_WM_STATE_ABOVE"); }));
    EXPECT_EQ(probe.size(id), QSize(83, 44));

    // Not topmost: a window shown later covers it again.
    const auto later = showWindow({60, 60, 200, 200});
    EXPECT_TRUE(waitUntil([&] { return probe.above(xid(*later), id); }));
}

TEST_F(X11WindowSystemTest, BringToFrontKeepsATopmostWindowTopmost) {
    const auto clock = showWindow();
    const xcb_window_t id = xid(*clock);
    windows.setTopmost(*clock, true);
    ASSERT_TRUE(waitUntil([&] { return probe.hasState(id, "_NET_WM_STATE_ABOVE"); }));
    windows.bringToFront(*clock);
    const auto later = showWindow({60, 60, 200, 200});
    EXPECT_TRUE(waitUntil([&] { return probe.above(id, xid(*later)); }));
    EXPECT_TRUE(probe.hasState(id, "_NET_WM_STATE_ABOVE"));
}

} // namespace
