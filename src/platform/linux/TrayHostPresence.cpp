#include "platform/linux/TrayHostPresence.h"

#include <QSystemTrayIcon>

bool TrayHostPresence::isTaskbarThere() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}
