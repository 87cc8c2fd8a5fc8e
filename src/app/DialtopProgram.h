#pragma once

#include "alarms/AlarmRinger.h"
#include "clock/Forms.h"
#include "clock/PowerStatus.h"
#include "platform/Services.h"
#include "settings/SettingsStore.h"

#include <memory>

class Tfrmalarm;
class Tfrmcountry;

// Creates the eight windows in their fixed order and keeps them for the whole run.
class DialtopProgram {
public:
    explicit DialtopProgram(const platform::Services& services);
    ~DialtopProgram();

    Forms& forms() { return forms_; }
    SettingsStore& settings() { return settings_; }
    AlarmRinger& alarmRinger() { return ringer_; }
    Tfrmalarm& alarmWindow() { return *forms_.frmalarm; }
    Tfrmcountry& countryDialog() { return *forms_.frmcountry; }

private:
    // The alarm table, the ringing alarm and the second country's dialog, with the clock.
    void connectAlarms();

    const platform::Services services_;
    PowerSample power_;
    Forms forms_;
    SettingsStore settings_;
    AlarmRinger ringer_;
};
