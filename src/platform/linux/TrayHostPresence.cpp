#include "platform/linux/TrayHostPresence.h"

#include "platform/linux/QtNotificationArea.h"

#include <QSystemTrayIcon>

TrayHostPresence::TrayHostPresence(QtNotificationArea& area) : area_(area) {
    // A tray that is there already gets the icon at once.
    isTaskbarThere();
}

bool TrayHostPresence::isTaskbarThere() const {
    if (!area_.hasIcon()) {
        if (!xembedTray_.owned() && !statusNotifierHost_.hostRegistered())
            return false;
        area_.makeIcon();
    }
    return QSystemTrayIcon::isSystemTrayAvailable();
}
