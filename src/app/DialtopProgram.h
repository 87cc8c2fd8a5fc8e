#pragma once

#include "app/ClockTray.h"
#include "clock/Forms.h"
#include "clock/PowerStatus.h"
#include "platform/Services.h"

#include <memory>

class HotKeyPlan;
class ScheduleOnScreen;
class Scheduler;

// Registers the global keys, creates the eight windows in their fixed order and keeps them for the
// whole run, and connects what each window asks for to the window or service that does it.
class DialtopProgram {
public:
    explicit DialtopProgram(const platform::Services& services);
    ~DialtopProgram();

    Forms& forms() { return forms_; }
    TTrayIcon& trayIcon() { return tray_->icon(); }
    HotKeyPlan& hotKeyPlan() { return *hotKeys_; }
    Scheduler& scheduler() { return *scheduler_; }

private:
    void connectHotKeys();
    void connectWindows();
    void connectSchedule();

    const platform::Services services_;
    PowerSample power_;
    std::unique_ptr<HotKeyPlan> hotKeys_;
    Forms forms_;
    std::unique_ptr<ClockTray> tray_;
    std::unique_ptr<ScheduleOnScreen> scheduleOnScreen_;
    std::unique_ptr<Scheduler> scheduler_;
};
