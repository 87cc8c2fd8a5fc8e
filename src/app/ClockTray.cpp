#include "app/ClockTray.h"

#include "platform/Services.h"
#include "platform/WindowSystem.h"
#include "tray/TrayFrames.h"

ClockTray::ClockTray(QWidget& clock, QMenu& menu, const platform::Services& services)
    : icon_(*new TTrayIcon(clock, services)), windows_(services.windows) {
    icon_.setIconList(TrayFrames());
    // A frame a second, stepped by the clock's own tick (Timer1), so that the idle clock wakes once.
    icon_.setCycleInterval(1000);
    icon_.setPacedFromOutside(true);
    icon_.setCycleIcons(true);
    icon_.setPopupMenu(&menu);
    icon_.MinimizeToTray = true;
    icon_.setIconVisible(true);
}

void ClockTray::activateLastWindow() {
    windows_.activate(*icon_.MostRecentWindow(), icon_.LastClickTime());
}
