#pragma once

#include <QRect>

class QWidget;

namespace platform {

// What the windows need of the window manager beyond plain Qt.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;
    // The primary screen, whole.
    virtual QRect screenGeometry() const = 0;
    // The primary screen without panels and docks.
    virtual QRect workArea() const = 0;
    virtual bool isTaskbarButtonVisible(QWidget& window) const = 0;
    virtual void hideTaskbarButton(QWidget& window) = 0;
    virtual void showTaskbarButton(QWidget& window) = 0;
    virtual void setTopmost(QWidget& window, bool topmost) = 0;
    // Raises the window above others without leaving it topmost.
    virtual void bringToFront(QWidget& window) = 0;
    virtual bool isApplicationActive() const = 0;
};

} // namespace platform
