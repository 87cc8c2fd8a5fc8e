// The clock: the small black box in the top-right corner showing the time, and its popup menu.
#pragma once

#include "clock/BatteryWatch.h"
#include "clock/SecondAligner.h"
#include "platform/LocalClock.h"
#include "platform/PowerActions.h"
#include "platform/Services.h"
#include "platform/TimeFormatSource.h"

#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <string>

class MessageTimer;
class QAction;
class QLabel;
class QMenu;
class QTimer;
class SettingsStore;
class TShape;
class TrayControl;
struct PowerSample;

// The clock window and the program's one store of shared state.
class Tdialform : public QWidget {
    Q_OBJECT

public:
    Tdialform(const platform::Services& services, PowerSample& power, SettingsStore& settings);

    // The window's state.
    bool Docked = false;
    bool Moving = false;
    bool MovingBeforeDrag = false;
    int DragX = 0;
    int DragY = 0;
    int PreviousPercent = 0;
    int LastPercent = 0;
    int TicksSinceDrop = 0;
    bool Warned5 = false;
    bool Warned3 = false;

    // The one-second tick and its helpers.
    void Timer1Timer();
    // The tick for one reading of the clock: the time shown and the alarms belong to the same moment.
    void Timer1Timer(const platform::LocalTime& now);
    void BringApplicationToFront();
    void FormPaint();

    // Commands and handlers.
    void menuExitClick();
    void shexitMouseDown();
    void menuMinimizeClick();
    void menuRestoreClick();
    // The Minimize and Restore commands as one pair: brings the program to the front, and the clock is
    // never left iconified on the way.
    void MinimizeAndRestore();
    void ShoptMouseUp();
    void menuAbout1Click();
    void menuTweakingClick();
    void cltrayClick();
    // The menu of commands, which the tray icon shows too.
    QMenu& popupMenu() { return *PopupMenu1; }
    // The second country's name, shown at once rather than at the next tick.
    void ShowCountryName();
    // The icon in the notification area, made by the program after the clock; until then, none.
    void setTray(TrayControl& tray);
    // A tick found no tray host: a clock hidden into the tray is given a taskbar entry instead.
    void KeepReachableWithoutTray();
    static constexpr unsigned WorkAreaChanged = 47;
    int ApplicationEvents1SettingChange(unsigned flag, const QString& section);
    void FormKeyDown(int key, Qt::KeyboardModifiers modifiers);

    // The shutdown and reboot scheduler.
    void ScheduleShutdown(std::int32_t delayMs);
    void menuSNowClick();
    void menuRNowClick();
    void menuSABORTClick();
    void menuRABORTClick();
    void menuSCustomClick();
    void menuRCustomClick();
    void timerOffTimer();
    void timerrebootTimer();
    // What the scheduler drives on the clock: the two countdowns and the colour of the time.
    // Sets the interval and enables the countdown, restarting its period now even when it ran already.
    void startCountdown(platform::PowerAction action, std::uint32_t intervalMs);
    void stopCountdown(platform::PowerAction action);
    void setClockColour(std::uint32_t rgb);
    // The time format the clock shows, re-read when the locale changes; due times follow it.
    const platform::TimeFormat& timeFormat() const { return timeFormat_; }

    // Window behaviour: dragging, the corner, the creep along the top, on top, translucency, log-in start.
    void DialLabelMouseDown(QPoint pressed);
    void DialLabelMouseMove(QLabel* label, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                            QPoint cursor);
    void DialLabelMouseUp();
    void shcornerMouseDown();
    void shcornerMouseUp();
    void ShmoveMouseUp();
    void timermoveTimer();
    void menuAlwaysOnTopClick();
    void menuTrasparencyEnableClick();
    // The nine percentage items, 10 to 90.
    void menuTraspClick(int percent);
    void clrmenu();
    void PopupMenu1Popup();
    void menuStartWithWindowsClick();

    // The second country's clock.
    void lblotherMouseUp();

signals:
    // Once a tick, with the one reading of the clock the tick showed.
    void ticked(const platform::LocalTime& now);
    // The menu's Alarm item: the alarm table is to open under the clock.
    void alarmTableRequested();
    // The menu's item for the second country's settings.
    void countrySettingsRequested();
    // The program is to end: after Exit, with the settings written, or after a close request to the
    // clock, without writing them.
    void terminateRequested();
    // The commands of the menu, the squares and the keyboard that other windows carry out.
    void aboutRequested();
    void tweakEditorRequested();
    void penguinRequested();
    // The schedule menus; the confirmations of "Now!" are asked before.
    void shutdownScheduleRequested(std::int32_t delayMs);
    void customScheduleRequested(platform::PowerAction action);
    void nowRequested(platform::PowerAction action);
    void abortRequested(platform::PowerAction action);
    // A countdown ran out (again).
    void countdownRanOut(platform::PowerAction action);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The face, in drawing order.
    QWidget* client = nullptr;
    TShape* boxout = nullptr;
    TShape* boxin = nullptr;
    QLabel* DialLabel = nullptr;
    TShape* shcorner = nullptr;
    TShape* shexit = nullptr;
    TShape* Shmove = nullptr;
    TShape* Shopt = nullptr;
    QLabel* lblbattery = nullptr;
    QLabel* lbltimetolive = nullptr;
    QLabel* lblother = nullptr;
    QLabel* lblcountry = nullptr;
    QLabel* diallabel2 = nullptr;

    QTimer* Timer1 = nullptr;
    QTimer* timermove = nullptr;
    MessageTimer* timerOff = nullptr;
    MessageTimer* timerreboot = nullptr;

    QMenu* PopupMenu1 = nullptr;
    QAction* menuAlwaysOnTop = nullptr;
    QAction* menuTrasparencyEnable = nullptr;
    QAction* menuCountrySettings = nullptr;
    QAction* menuTweaking = nullptr;
    QAction* Alarm1 = nullptr;
    QAction* menuAbout1 = nullptr;
    QAction* menuStartWithWindows = nullptr;
    QAction* menuRestore = nullptr;
    QAction* menuMinimize = nullptr;
    QAction* menuExit = nullptr;

    void FormCreate();
    static TrayControl& NoTrayYet();
    // Reads the settings and tells the user of a settings file too large to be read.
    void LoadSettingsAtStart();
    void CreateFace();
    void CreatePopupMenu();
    void CreateTimers();
    void CreateSchedule();
    void FitTimeFonts();
    void ScheduleNextTick(const platform::LocalTime& now);
    void ShowTimeTexts(const platform::LocalTime& now);
    void WarnBattery(bool threePercent);
    void SetHeights(int windowHeight);
    void SetTimeFont(QLabel* label, int points);
    void ReadTimeFormat();
    void ConnectWindowBehaviour();
    void ConnectSecondClock();
    void ApplyOpacity();

    const platform::Services services_;
    TrayControl* tray_ = &NoTrayYet();
    PowerSample& power_;
    SettingsStore& settings_;
    platform::TimeFormat timeFormat_;
    SecondAligner tickSeconds_;
    BatteryWatch batteryWatch_{{PreviousPercent, LastPercent, TicksSinceDrop, Warned5, Warned3}};
    // Font sizes of the two time labels, in points at 96 dots per inch.
    int dialLabelPoints_ = 13;
    int diallabel2Points_ = 13;
    // Translucency: the level applies while it is on; opaque otherwise.
    bool transparent_ = false;
    int opacity_ = 179;
    std::array<QAction*, 9> menuTrasp_{}; // 10% to 90%
    // The creep last asked for a left past the screen's edge, which a window manager may refuse.
    bool creptPastLeftEdge_ = false;
    // The latest tick found no taskbar.
    bool taskbarWasMissing_ = false;
};
