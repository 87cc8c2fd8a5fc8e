#include "clock/formDialtop.h"
#include "platform/Services.h"
#include "platform/WindowSystem.h"
#include "tray/TrayFrames.h"
#include "tray/TrayIcon.h"
#include "ui/Guarded.h"

#include <QAction>

void Tdialform::CreateTray() {
    cltray = new TTrayIcon(*this, services_);
    cltray->setIconList(TrayFrames());
    // A frame a second, stepped by the clock's own tick (Timer1), so that the idle clock wakes once.
    cltray->setCycleInterval(1000);
    cltray->setPacedFromOutside(true);
    cltray->setCycleIcons(true);
    cltray->setPopupMenu(PopupMenu1);
    cltray->MinimizeToTray = true;
    cltray->events().OnClick = Guarded([this] { cltrayClick(); });
    cltray->setIconVisible(true);
}

void Tdialform::menuMinimizeClick() {
    if (cltray->CanMinimizeToTray()) {
        cltray->MinimizeToTrayStep();
    } else {
        // With no tray to come back from, an iconified window with a taskbar entry instead.
        services_.windows.showTaskbarButton(*this);
        showMinimized();
    }
    menuMinimize->setEnabled(false);
    menuRestore->setEnabled(true);
}

void Tdialform::menuRestoreClick() {
    showNormal();
    cltray->HideTaskbarButton();
    menuMinimize->setEnabled(true);
    menuRestore->setEnabled(false);
}

void Tdialform::MinimizeAndRestore() {
    // Iconifying and showing again races the window manager, which may carry out the iconify last and
    // leave the clock hidden with no taskbar entry. What the pair is for, the clock shown and in front,
    // is done directly, and the window and menu end as Restore leaves them.
    if (!isVisible() || isMinimized())
        showNormal();
    cltray->HideTaskbarButton();
    services_.windows.activate(*this, 0);
    menuMinimize->setEnabled(true);
    menuRestore->setEnabled(false);
}

void Tdialform::cltrayClick() {
    // A clock hidden in the tray is restored even when the tray's own window made the program active.
    if (!services_.windows.isApplicationActive() || !isVisible() || isMinimized())
        menuRestoreClick();
    services_.windows.activate(*cltray->MostRecentWindow(), cltray->LastClickTime());
}

void Tdialform::KeepReachableWithoutTray() {
    if (isVisible())
        return;
    services_.windows.showTaskbarButton(*this);
    showMinimized();
}
