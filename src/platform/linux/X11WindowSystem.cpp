#include "platform/linux/X11WindowSystem.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

QRect X11WindowSystem::screenGeometry() const {
    return QGuiApplication::primaryScreen()->geometry();
}

QRect X11WindowSystem::workArea() const {
    return QGuiApplication::primaryScreen()->availableGeometry();
}

bool X11WindowSystem::isTaskbarButtonVisible(QWidget&) const {
    return false;
}

void X11WindowSystem::hideTaskbarButton(QWidget&) {}

void X11WindowSystem::setTopmost(QWidget& window, bool topmost) {
    if (QWindow* handle = window.windowHandle())
        handle->setFlag(Qt::WindowStaysOnTopHint, topmost);
}

void X11WindowSystem::bringToFront(QWidget& window) {
    window.raise();
}

bool X11WindowSystem::isApplicationActive() const {
    return QGuiApplication::applicationState() == Qt::ApplicationActive;
}
