#include "clock/TrayControl.h"
#include "clock/formDialtop.h"
#include "platform/Services.h"
#include "platform/WindowSystem.h"

#include <QAction>

namespace {

// Before the program hands the clock its icon: the ticks of a box shown during start-up find no tray.
class NoTray : public TrayControl {
public:
    void hideTaskbarButton() override {}
    void setHint(const QString&) override {}
    void stepFrame() override {}
    void hostAppeared() override {}
    bool canMinimizeToTray() const override { return false; }
    void minimizeToTray() override {}
    void activateLastWindow() override {}
};

NoTray noTray;

} // namespace

TrayControl& Tdialform::NoTrayYet() {
    return noTray;
}

void Tdialform::setTray(TrayControl& tray) {
    tray_ = &tray;
    tray_->hideTaskbarButton();
}

void Tdialform::menuMinimizeClick() {
    if (tray_->canMinimizeToTray()) {
        tray_->minimizeToTray();
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
    tray_->hideTaskbarButton();
    menuMinimize->setEnabled(true);
    menuRestore->setEnabled(false);
}

void Tdialform::MinimizeAndRestore() {
    // Iconifying and showing again races the window manager, which may carry out the iconify last and
    // leave the clock hidden with no taskbar entry. What the pair is for, the clock shown and in front,
    // is done directly, and the window and menu end as Restore leaves them.
    if (!isVisible() || isMinimized())
        showNormal();
    tray_->hideTaskbarButton();
    services_.windows.activate(*this, 0);
    menuMinimize->setEnabled(true);
    menuRestore->setEnabled(false);
}

void Tdialform::cltrayClick() {
    // A clock hidden in the tray is restored even when the tray's own window made the program active.
    if (!services_.windows.isApplicationActive() || !isVisible() || isMinimized())
        menuRestoreClick();
    tray_->activateLastWindow();
}

void Tdialform::KeepReachableWithoutTray() {
    if (isVisible())
        return;
    services_.windows.showTaskbarButton(*this);
    showMinimized();
}
