// The clock: the small black box in the top-right corner showing the time, and its popup menu.
#pragma once

#include "clock/BatteryWatch.h"
#include "clock/SecondAligner.h"
#include "platform/LocalClock.h"
#include "platform/Services.h"
#include "platform/TimeFormatSource.h"
#include "power/Scheduler.h"

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
class THotKeyManager;
class TShape;
class TTrayIcon;
struct Forms;
struct PowerSample;

// The clock window and the program's one store of shared state.
class Tdialform : public QWidget, private ScheduleDisplay {
    Q_OBJECT

public:
    Tdialform(const platform::Services& services, Forms& forms, PowerSample& power, SettingsStore& settings);
    ~Tdialform() override;

    // Shared state, read and written by the other windows.
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
    bool TaskbarWasMissing = false;
    int StopAlarmKeyIndex = 0;
    int PenguinKeyIndex = 0;
    int BlankKeyIndex = 0;
    QString StopAlarmCaption;
    QString PenguinKeyCaption;

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
    QTimer* timershowabout = nullptr;
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

    TTrayIcon* cltray = nullptr;
    THotKeyManager* HotKeyManager1 = nullptr;

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
    void timershowaboutTimer();
    void menuTweakingClick();
    void cltrayClick();
    // A tick found no tray host: a clock hidden into the tray is given a taskbar entry instead.
    void KeepReachableWithoutTray();
    static constexpr unsigned WorkAreaChanged = 47;
    int ApplicationEvents1SettingChange(unsigned flag, const QString& section);
    void HotKeyManager1HotKeyPressed(std::uint32_t hotKey, std::uint16_t index);
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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormCreate();
    // Reads the settings and tells the user of a settings file too large to be read.
    void LoadSettingsAtStart();
    void CreateFace();
    void CreatePopupMenu();
    void CreateTimers();
    void CreateTray();
    void CreateSchedule();
    void RunCustomSchedule(platform::PowerAction action, const QString& actionWord);
    void startCountdown(platform::PowerAction action, std::uint32_t intervalMs) override;
    void stopCountdown(platform::PowerAction action) override;
    void setClockColour(std::uint32_t rgb) override;
    void setDueText(platform::PowerAction action, const std::string& text) override;
    void RegisterHotKeys();
    void FitTimeFonts();
    void ScheduleNextTick();
    void ShowTimeTexts(const platform::LocalTime& now);
    void WarnBattery(bool threePercent);
    void SetHeights(int windowHeight);
    void SetTimeFont(QLabel* label, int points);
    void ReadTimeFormat();
    void ConnectWindowBehaviour();
    void ConnectSecondClock();
    void ApplyOpacity();

    const platform::Services services_;
    Forms& forms_;
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

public:
    // The countdowns' state; it reads the time format above at every arming.
    Scheduler Schedule{*this, services_.powerActions, services_.clock, timeFormat_};
};
