// The tray icon: the blinking clock face in the notification area, its tip and its menu.

#include "tray/TrayIcon.h"

#include "platform/Services.h"
#include "platform/TaskbarPresence.h"
#include "platform/WindowSystem.h"
#include "ui/Guarded.h"
#include "ui/MessageTimer.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QMenu>
#include <QWidget>
#include <QWindow>

#include <algorithm>

TTrayIcon::TTrayIcon(QWidget& owner, const platform::Services& services)
    : QObject(&owner), owner_(owner), windows_(services.windows), taskbar_(services.taskbar),
      area_(services.tray), clicks_(*this, static_cast<unsigned>(QApplication::doubleClickInterval())) {
    setObjectName(QStringLiteral("cltray"));
    FrameTimer = new MessageTimer(this);
    FrameTimer->setObjectName(QStringLiteral("FrameTimer"));
    FrameTimer->setInterval(0);
    connect(FrameTimer, &MessageTimer::timeout, this, Guarded([this] { FrameTimerTick(); }));
    DoubleClickTimer = new MessageTimer(this);
    DoubleClickTimer->setObjectName(QStringLiteral("DoubleClickTimer"));
    connect(DoubleClickTimer, &MessageTimer::timeout, this,
            Guarded([this] { clicks_.DoubleClickTimerTick(); }));

    area_.setActivationHandler([this](platform::NotificationArea::Activation activation, std::uint32_t time) {
        lastClickTime_ = time;
        Activated(activation);
    });
    owner_.installEventFilter(this);
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this] {
        QWidget* active = QApplication::activeWindow();
        if (active && active->windowType() != Qt::Popup && active->windowType() != Qt::ToolTip)
            lastActive_ = active;
    });
}

TTrayIcon::~TTrayIcon() {
    area_.setActivationHandler({});
    RemoveIcon();
}

void TTrayIcon::setIconList(const QList<QIcon>& frames) {
    iconList_ = frames;
    setIconIndex(0);
}

void TTrayIcon::setCycleIcons(bool on) {
    cycleIcons_ = on;
    ApplyCycling();
}

std::uint32_t TTrayIcon::CycleInterval() const {
    return FrameTimer->interval();
}

void TTrayIcon::setCycleInterval(std::uint32_t ms) {
    FrameTimer->setInterval(ms);
    ApplyCycling();
}

void TTrayIcon::setPacedFromOutside(bool on) {
    pacedFromOutside_ = on;
    ApplyCycling();
}

void TTrayIcon::StepFrame() {
    if (pacedFromOutside_ && cycleIcons_ && FrameTimer->interval() != 0)
        FrameTimerTick();
}

void TTrayIcon::ApplyCycling() {
    if (cycleIcons_)
        setIconIndex(0);
    // An interval of 0 keeps the timer armed but silent: the cycling stands still.
    FrameTimer->setEnabled(cycleIcons_ && !pacedFromOutside_);
}

void TTrayIcon::FrameTimerTick() {
    if (iconList_.isEmpty())
        return;
    const int next = (iconIndex_ + 1) % static_cast<int>(iconList_.size());
    if (OnCycle)
        OnCycle(next);
    setIconIndex(next);
}

void TTrayIcon::setIconIndex(int index) {
    if (iconList_.isEmpty()) {
        iconIndex_ = 0;
        return;
    }
    iconIndex_ = std::clamp(index, 0, static_cast<int>(iconList_.size()) - 1);
    setIcon(iconList_[iconIndex_]);
}

void TTrayIcon::setIcon(const QIcon& icon) {
    icon_ = icon;
    UpdateIcon();
}

void TTrayIcon::setHint(const QString& hint) {
    hint_ = hint;
    UpdateIcon();
}

void TTrayIcon::setShowHint(bool on) {
    showHint_ = on;
    UpdateIcon();
}

void TTrayIcon::UpdateIcon() {
    area_.setIcon(icon_);
    QString tip = showHint_ ? hint_.left(MaxHintLength) : QString();
    // Never half a character: a pair cut in two would show as garbage.
    if (!tip.isEmpty() && tip.back().isHighSurrogate())
        tip.chop(1);
    area_.setToolTip(tip);
}

void TTrayIcon::setIconVisible(bool visible) {
    if (visible)
        AddIcon();
    else
        RemoveIcon();
}

void TTrayIcon::AddIcon() {
    iconVisible_ = true;
    area_.setVisible(true);
}

void TTrayIcon::RemoveIcon() {
    iconVisible_ = false;
    area_.setVisible(false);
}

void TTrayIcon::TrayHostAppeared() {
    if (!iconVisible_)
        return;
    // Shown afresh, the icon docks in the new host whichever way the desktop offers a tray.
    area_.setVisible(false);
    area_.setVisible(true);
}

void TTrayIcon::setPopupMenu(QMenu* menu) {
    popupMenu_ = menu;
    // Given once: the desktop shows it on a right press by itself.
    area_.setContextMenu(menu);
}

void TTrayIcon::HideTaskbarButton() {
    // An iconified window keeps its entry: without a tray it is the only way back.
    if (owner_.isVisible() && !owner_.isMinimized() && windows_.isTaskbarButtonVisible(owner_))
        windows_.hideTaskbarButton(owner_);
}

bool TTrayIcon::CanMinimizeToTray() const {
    return MinimizeToTray && taskbar_.isTaskbarThere();
}

void TTrayIcon::MinimizeToTrayStep() {
    owner_.hide();
    AddIcon();
}

std::uint32_t TTrayIcon::LastClickTime() const {
    return lastClickTime_;
}

QWidget* TTrayIcon::MostRecentWindow() const {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (lastActive_ && lastActive_->isVisible() && lastActive_->isEnabled())
        return lastActive_;
    return &owner_;
}

void TTrayIcon::ShowMenuAtCursor() {
    if (popupMenu_)
        popupMenu_->popup(QCursor::pos());
}

void TTrayIcon::showMenu(TrayClicks::MenuCause cause) {
    // A right press already opened the menu given to the desktop; a second one would stack on it.
    if (cause == TrayClicks::MenuCause::LeftPress)
        ShowMenuAtCursor();
}

void TTrayIcon::clickDefaultItem() {
    if (popupMenu_ && popupMenu_->defaultAction() && popupMenu_->defaultAction()->isEnabled())
        popupMenu_->defaultAction()->trigger();
}

void TTrayIcon::startDoubleClickTimer(unsigned ms) {
    DoubleClickTimer->setInterval(ms);
    DoubleClickTimer->setEnabled(true);
}

void TTrayIcon::stopDoubleClickTimer() {
    DoubleClickTimer->setEnabled(false);
}

void TTrayIcon::Activated(platform::NotificationArea::Activation activation) {
    using Activation = platform::NotificationArea::Activation;
    using Button = TrayClicks::Button;
    // The desktop reports whole clicks; the clicks logic wants the presses and releases behind them.
    switch (activation) {
    case Activation::Click:
        clicks_.press(Button::Left);
        clicks_.release(Button::Left);
        break;
    case Activation::DoubleClick:
        clicks_.doubleClick();
        clicks_.release(Button::Left);
        break;
    case Activation::Context:
        clicks_.press(Button::Right);
        clicks_.release(Button::Right);
        break;
    case Activation::MiddleClick:
        clicks_.press(Button::Middle);
        clicks_.release(Button::Middle);
        break;
    }
}

bool TTrayIcon::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &owner_ && event->type() == QEvent::WindowStateChange && owner_.isMinimized() &&
        CanMinimizeToTray()) {
        // Iconified some other way (a window-manager key): into the tray as well, once Qt is done.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!owner_.isMinimized() || !owner_.isVisible())
                    return;
                if (OnMinimizeToTray)
                    OnMinimizeToTray();
                MinimizeToTrayStep();
            },
            Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}
