#include "tray/CoolTrayIcon.h"

#include "platform/WindowSystem.h"

#include <QWidget>

TCoolTrayIcon::TCoolTrayIcon(QWidget& owner, platform::WindowSystem& windows)
    : QObject(&owner), owner_(owner), windows_(windows) {
    setObjectName(QStringLiteral("cltray"));
}

void TCoolTrayIcon::setHint(const QString& hint) {
    hint_ = hint;
}

void TCoolTrayIcon::HideTaskbarButton() {
    if (owner_.isVisible() && windows_.isTaskbarButtonVisible(owner_))
        windows_.hideTaskbarButton(owner_);
}
