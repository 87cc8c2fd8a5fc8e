#pragma once

#include <cstdint>

struct xcb_connection_t;

// Asks the window manager, over EWMH, to activate a window on behalf of a user action.
class NetActiveWindow {
public:
    explicit NetActiveWindow(xcb_connection_t* connection);

    bool hasWindowManager() const;
    // userTime is the X time of the action; the window's _NET_WM_USER_TIME is brought up to it so
    // that focus-stealing prevention compares against the action, not against Qt's last event.
    void request(std::uint32_t window, std::uint32_t userTime) const;

private:
    xcb_connection_t* connection_;
    std::uint32_t root_ = 0;
    std::uint32_t activeWindowAtom_ = 0;
    std::uint32_t userTimeAtom_ = 0;
    std::uint32_t supportingWmAtom_ = 0;
};
