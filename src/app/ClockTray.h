#pragma once

#include "clock/TrayControl.h"
#include "tray/TrayIcon.h"

namespace platform {
struct Services;
class WindowSystem;
} // namespace platform

class QMenu;
class QWidget;

// The clock's icon in the notification area: the tray icon, made for the clock and its menu.
class ClockTray : public TrayControl {
public:
    ClockTray(QWidget& clock, QMenu& menu, const platform::Services& services);

    TTrayIcon& icon() { return icon_; }

    void hideTaskbarButton() override { icon_.HideTaskbarButton(); }
    void setHint(const QString& hint) override { icon_.setHint(hint); }
    void stepFrame() override { icon_.StepFrame(); }
    void hostAppeared() override { icon_.TrayHostAppeared(); }
    bool canMinimizeToTray() const override { return icon_.CanMinimizeToTray(); }
    void minimizeToTray() override { icon_.MinimizeToTrayStep(); }
    void activateLastWindow() override;

private:
    // Made a child of the clock, which ends it.
    TTrayIcon& icon_;
    platform::WindowSystem& windows_;
};
