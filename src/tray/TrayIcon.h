// The tray icon: the blinking clock face in the notification area, its tip and its menu.
#pragma once

#include "platform/NotificationArea.h"
#include "tray/TrayClicks.h"

#include <QIcon>
#include <QList>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>

class MessageTimer;
class QWidget;
namespace platform {
struct Services;
class TaskbarPresence;
class WindowSystem;
} // namespace platform

// The program's animated icon in the notification area: its frames, tip, clicks and menu, and the
// hiding of the main window into it.
class TTrayIcon : public QObject, private TrayClicks::Host {
    Q_OBJECT

public:
    // The longest tip the tray takes.
    static constexpr qsizetype MaxHintLength = 127;

    TTrayIcon(QWidget& owner, const platform::Services& services);
    ~TTrayIcon() override;

    const QList<QIcon>& IconList() const { return iconList_; }
    void setIconList(const QList<QIcon>& frames);
    bool CycleIcons() const { return cycleIcons_; }
    void setCycleIcons(bool on);
    // Milliseconds between frames; 0 stops the cycling.
    std::uint32_t CycleInterval() const;
    void setCycleInterval(std::uint32_t ms);
    // Paced from outside, the frames step on StepFrame() instead of on a timer of their own: an owner
    // that already wakes once per interval then wakes the program once, not twice.
    bool PacedFromOutside() const { return pacedFromOutside_; }
    void setPacedFromOutside(bool on);
    void StepFrame();
    bool Enabled() const { return clicks_.Enabled; }
    void setEnabled(bool on) { clicks_.Enabled = on; }
    QString Hint() const { return hint_; }
    void setHint(const QString& hint);
    bool ShowHint() const { return showHint_; }
    void setShowHint(bool on);
    QIcon Icon() const { return icon_; }
    void setIcon(const QIcon& icon);
    bool IconVisible() const { return iconVisible_; }
    void setIconVisible(bool visible);
    int IconIndex() const { return iconIndex_; }
    void setIconIndex(int index);
    QMenu* PopupMenu() const { return popupMenu_; }
    void setPopupMenu(QMenu* menu);
    bool LeftPopup() const { return clicks_.LeftPopup; }
    void setLeftPopup(bool on) { clicks_.LeftPopup = on; }
    bool MinimizeToTray = false;

    TrayClicks::Events& events() { return clicks_.events; }
    std::function<void(int nextIndex)> OnCycle;
    std::function<void()> OnMinimizeToTray;

    void AddIcon();
    void RemoveIcon();
    void UpdateIcon();
    // The program never shows a taskbar button of its own, except while iconified without a tray.
    void HideTaskbarButton();
    void ShowMenuAtCursor();
    // Whether the main window can be hidden into the tray now: only while a tray host shows the icon,
    // or nothing would be left to bring the program back.
    bool CanMinimizeToTray() const;
    // Hides the main window, leaving the icon in the tray.
    void MinimizeToTrayStep();
    // A tray host has come (back): the icon goes (again) where it is shown.
    void TrayHostAppeared();
    // The program's most recently active window that is still visible and enabled, or its open modal
    // dialog; the main window when there is none.
    QWidget* MostRecentWindow() const;
    // The X server time of the latest click on the icon, 0 when unknown.
    std::uint32_t LastClickTime() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showMenu(TrayClicks::MenuCause cause) override;
    void clickDefaultItem() override;
    void startDoubleClickTimer(unsigned ms) override;
    void stopDoubleClickTimer() override;

    void Activated(platform::NotificationArea::Activation activation);
    void FrameTimerTick();
    void ApplyCycling();
    void LoadFrame();

    QWidget& owner_;
    platform::WindowSystem& windows_;
    platform::TaskbarPresence& taskbar_;
    platform::NotificationArea& area_;
    TrayClicks clicks_;
    MessageTimer* FrameTimer = nullptr;
    MessageTimer* DoubleClickTimer = nullptr;
    QList<QIcon> iconList_;
    bool cycleIcons_ = false;
    bool pacedFromOutside_ = false;
    QString hint_;
    bool showHint_ = true;
    QIcon icon_;
    bool iconVisible_ = false;
    int iconIndex_ = 0;
    QPointer<QMenu> popupMenu_;
    QPointer<QWidget> lastActive_;
    std::uint32_t lastClickTime_ = 0;
};
