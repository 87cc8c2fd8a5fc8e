#pragma once

#include <QString>

// What the clock asks of its icon in the notification area. The program hands the clock the icon it
// made; the clock never sees the icon's own class.
class TrayControl {
public:
    virtual ~TrayControl() = default;
    // The program never shows a taskbar button of its own, except while iconified without a tray.
    virtual void hideTaskbarButton() = 0;
    virtual void setHint(const QString& hint) = 0;
    // Steps the icon's frames once; the clock's tick paces them.
    virtual void stepFrame() = 0;
    virtual void hostAppeared() = 0;
    // Whether the clock can be hidden into the tray now, and hiding it there.
    virtual bool canMinimizeToTray() const = 0;
    virtual void minimizeToTray() = 0;
    // Activates the window the user was in last, or its open modal dialog, with the latest click's time.
    virtual void activateLastWindow() = 0;
};
