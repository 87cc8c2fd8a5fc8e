#pragma once

#include "alarms/AlarmRinger.h"
#include "app/ClockTray.h"
#include "clock/PowerStatus.h"
#include "platform/Services.h"
#include "settings/SettingsStore.h"

#include <cstdint>
#include <memory>

class HotKeyPlan;
class ScheduleOnScreen;
class Scheduler;
class Tdialform;
class Tfrmabout;
class Tfrmalarm;
class Tfrmcountry;
class Tfrmcustsked;
class Tfrmrose;
class TfrmSleep;
class Tfrmtweak;

// Registers the global keys, creates the eight windows in their fixed order and keeps them for the
// whole run, and connects what each window asks for to the window or service that does it.
class DialtopProgram {
public:
    explicit DialtopProgram(const platform::Services& services);
    ~DialtopProgram();

    Tdialform& clock() { return *dialform_; }
    Tfrmalarm& alarmWindow() { return *frmalarm_; }
    TfrmSleep& blankScreen() { return *frmSleep_; }
    Tfrmabout& informationWindow() { return *frmabout_; }
    Tfrmrose& penguin() { return *frmrose_; }
    Tfrmcustsked& customScheduleDialog() { return *frmcustsked_; }
    Tfrmcountry& countryDialog() { return *frmcountry_; }
    Tfrmtweak& tweakEditor() { return *frmtweak_; }
    TTrayIcon& trayIcon() { return tray_->icon(); }
    HotKeyPlan& hotKeyPlan() { return *hotKeys_; }
    Scheduler& scheduler() { return *scheduler_; }
    SettingsStore& settings() { return settings_; }
    AlarmRinger& alarmRinger() { return ringer_; }

    // The three commands of the global keys, which the actions from outside give too. `time` is the
    // window system's time of the press, 0 when there is none.
    void stopAlarm();
    void showPenguin(std::uint32_t time);
    void blankScreen(std::uint32_t time);

private:
    // The key names are read once for the whole run.
    struct KeyWords {
        KeyWords();
        ~KeyWords();
    };

    void connectAlarms();
    void connectHotKeys();
    void connectWindows();
    void connectSchedule();
    void connectControl();

    // Made in this order and ended in the reverse: should a window fail to be made, what was made
    // before it ends with it and the keys are released.
    const platform::Services services_;
    KeyWords keyWords_;
    PowerSample power_;
    SettingsStore settings_;
    AlarmRinger ringer_;
    std::unique_ptr<HotKeyPlan> hotKeys_;
    std::unique_ptr<Tdialform> dialform_;
    std::unique_ptr<ClockTray> tray_;
    std::unique_ptr<Tfrmalarm> frmalarm_;
    std::unique_ptr<TfrmSleep> frmSleep_;
    std::unique_ptr<Tfrmabout> frmabout_;
    std::unique_ptr<Tfrmrose> frmrose_;
    std::unique_ptr<Tfrmcustsked> frmcustsked_;
    std::unique_ptr<Tfrmcountry> frmcountry_;
    std::unique_ptr<Tfrmtweak> frmtweak_;
    std::unique_ptr<ScheduleOnScreen> scheduleOnScreen_;
    std::unique_ptr<Scheduler> scheduler_;
};
