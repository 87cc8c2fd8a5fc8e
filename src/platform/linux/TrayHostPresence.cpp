#include "platform/linux/TrayHostPresence.h"

#include "platform/linux/QtNotificationArea.h"

#include <QSystemTrayIcon>

TrayHostPresence::TrayHostPresence(QtNotificationArea& area) : area_(area) {
    // A tray that is there already gets the icon at once.
    isTaskbarThere();
}

bool TrayHostPresence::isTaskbarThere() const {
    if (!area_.hasIcon()) {
        // Until the session bus has first answered, a host is taken to be there, as Qt asking at start
        // would have found one that is: the clock is not shown afresh for a host that is no newcomer.
        if (!xembedTray_.owned() && !statusNotifierHost_.hostRegistered())
            return !statusNotifierHost_.settled();
        // Qt asks the watcher the same now, and its tray goes over D-Bus for good.
        overStatusNotifier_ = statusNotifierHost_.hostRegistered();
        area_.makeIcon();
    }
    // Qt would ask the watcher again at every question, waiting for the answer.
    if (overStatusNotifier_)
        return statusNotifierHost_.hostRegistered();
    return QSystemTrayIcon::isSystemTrayAvailable();
}
