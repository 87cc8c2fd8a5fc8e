#pragma once

#include <QRect>

#include <cstdint>

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
    // Hands the window to the window manager's interactive move from the pointer, as a press on a
    // caption bar would; false when no window manager can do it.
    virtual bool systemMove(QWidget& window) = 0;
    // Where a shown window is on the server. Qt's own pos() can be stale once a window manager has
    // mapped the window: Qt may read the place before the window manager has put it there. Before the
    // map, Qt's own pos().
    virtual QPoint windowPosition(QWidget& window) const = 0;
    // Whether the left button is held now, as the server sees it, not as the queued events tell.
    virtual bool isLeftButtonDown() const = 0;
    // Raises the window and gives it the keyboard focus on behalf of the user action at userTime
    // (an X timestamp; 0 for now), so that focus-stealing prevention lets it through.
    virtual void activate(QWidget& window, std::uint32_t userTime) = 0;
    // Covers the primary screen, panels included, and shows the window.
    virtual void coverScreen(QWidget& window) = 0;
};

} // namespace platform
