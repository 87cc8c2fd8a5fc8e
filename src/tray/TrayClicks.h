#pragma once

#include <functional>

// Turns the presses, releases and double clicks reported on the notification-area icon into the
// icon's events: one click per click, none extra for a double click, the menu on a right press.
class TrayClicks {
public:
    enum class Button { Left, Right, Middle };
    // Why the menu is wanted: a right press, or a left press while LeftPopup is set.
    enum class MenuCause { RightPress, LeftPress };

    // What the clicks need of the icon that owns them.
    class Host {
    public:
        virtual ~Host() = default;
        virtual void showMenu(MenuCause cause) = 0;
        // The menu's default item, if it has one, is run by a double click.
        virtual void clickDefaultItem() = 0;
        virtual void startDoubleClickTimer(unsigned ms) = 0;
        virtual void stopDoubleClickTimer() = 0;
    };

    // The user's handlers; any may be empty.
    struct Events {
        std::function<void()> OnClick;
        // When set, a click waits for the double-click time, so that a double click gives no click.
        std::function<void()> OnDblClick;
        std::function<void(Button)> OnMouseDown;
        std::function<void(Button)> OnMouseUp;
    };

    TrayClicks(Host& host, unsigned doubleClickMs);

    Events events;
    // When false every mouse report is ignored.
    bool Enabled = true;
    bool LeftPopup = false;

    void press(Button button);
    void release(Button button);
    // The second press of a double click (left button).
    void doubleClick();
    void DoubleClickTimerTick();

private:
    Host& host_;
    unsigned doubleClickMs_;
    bool timerRunning_ = false;
    bool PressPending = false;
    bool ClickPending = false;
    bool DoubleClickSeen = false;
};
