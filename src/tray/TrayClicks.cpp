#include "tray/TrayClicks.h"

namespace {

void raise(const std::function<void()>& handler) {
    if (handler)
        handler();
}

void raise(const std::function<void(TrayClicks::Button)>& handler, TrayClicks::Button button) {
    if (handler)
        handler(button);
}

} // namespace

TrayClicks::TrayClicks(Host& host, unsigned doubleClickMs) : host_(host), doubleClickMs_(doubleClickMs) {}

void TrayClicks::press(Button button) {
    if (!Enabled)
        return;
    if (button == Button::Left && events.OnDblClick) {
        timerRunning_ = true;
        host_.startDoubleClickTimer(doubleClickMs_);
    }
    raise(events.OnMouseDown, button);
    if (button == Button::Left) {
        PressPending = true;
        if (LeftPopup)
            host_.showMenu(MenuCause::LeftPress);
    } else if (button == Button::Right) {
        // On the press, before the release, as the desktop's own menus do.
        host_.showMenu(MenuCause::RightPress);
    }
}

void TrayClicks::release(Button button) {
    if (!Enabled)
        return;
    if (button == Button::Left) {
        if (PressPending)
            ClickPending = true;
        if (PressPending && !timerRunning_) {
            PressPending = false;
            ClickPending = false;
            raise(events.OnClick);
        }
        PressPending = false;
    }
    raise(events.OnMouseUp, button);
}

void TrayClicks::doubleClick() {
    if (!Enabled)
        return;
    ClickPending = false;
    DoubleClickSeen = true;
    raise(events.OnDblClick);
    if (!LeftPopup)
        host_.clickDefaultItem();
}

void TrayClicks::DoubleClickTimerTick() {
    timerRunning_ = false;
    host_.stopDoubleClickTimer();
    if (!DoubleClickSeen && ClickPending) {
        ClickPending = false;
        raise(events.OnClick);
    }
    DoubleClickSeen = false;
}
