#pragma once

#include "platform/WindowSystem.h"

#include <memory>

class NetActiveWindow;
class NetWmState;
class NetWmStateKeeper;
class QAbstractNativeEventFilter;

// Window manager hints through EWMH on X11. Without an X display (offscreen, Wayland) it does what
// Qt alone can do.
class X11WindowSystem : public platform::WindowSystem {
public:
    X11WindowSystem();
    ~X11WindowSystem() override;

    QRect screenGeometry() const override;
    QRect workArea() const override;
    // Reads the window's _NET_WM_STATE when it has changed since the last call.
    bool isTaskbarButtonVisible(QWidget& window) const override;
    void hideTaskbarButton(QWidget& window) override;
    void showTaskbarButton(QWidget& window) override;
    void setTopmost(QWidget& window, bool topmost) override;
    void bringToFront(QWidget& window) override;
    bool isApplicationActive() const override;
    bool systemMove(QWidget& window) override;
    bool isLeftButtonDown() const override;
    QPoint windowPosition(QWidget& window) const override;
    void activate(QWidget& window, std::uint32_t userTime) override;
    void coverScreen(QWidget& window) override;

private:
    // Null without an X display.
    const NetWmState* netWmState() const;
    const NetActiveWindow* netActiveWindow() const;

    mutable std::unique_ptr<NetWmState> netWmState_;
    mutable std::unique_ptr<QAbstractNativeEventFilter> stateChanges_; // feeds netWmState_
    mutable std::unique_ptr<NetActiveWindow> netActiveWindow_;
    std::unique_ptr<NetWmStateKeeper> keeper_; // after netWmState_, which its queued calls use
};
