// The alarm table, the ringing alarm and the second country's dialog, as the clock asks for them.
#include "alarms/AlarmRinger.h"
#include "alarms/frmalarmU.h"
#include "app/DialtopProgram.h"
#include "clock/formDialtop.h"
#include "clock/frmcountryU.h"
#include "platform/Dialogs.h"
#include "ui/Guarded.h"

void DialtopProgram::connectAlarms() {
    Tdialform& clock = *dialform_;
    Tfrmalarm& alarm = *frmalarm_;
    Tfrmcountry& country = *frmcountry_;

    // The alarm window is made after the clock: a tick inside a box of the clock's creation rings nothing.
    QObject::connect(&clock, &Tdialform::ticked, &ringer_,
                     Guarded([this](const platform::LocalTime& now) { ringer_.tick(now); }));
    QObject::connect(&ringer_, &AlarmRinger::ringing, &alarm,
                     Guarded([&alarm, &clock] { alarm.ShowRinging(clock.frameGeometry()); }));

    QObject::connect(&clock, &Tdialform::alarmTableRequested, &alarm, Guarded([this, &alarm, &clock] {
        alarm.PlaceBelowClock(clock.frameGeometry());
        // What is only in memory (a Use box toggled before a CANCEL) is dropped here.
        settings_.load();
        alarm.FillRows();
        if (services_.dialogs.runModal(alarm) != QDialog::Accepted)
            return;
        alarm.TakeRows();
        settings_.save();
    }));

    QObject::connect(&clock, &Tdialform::countrySettingsRequested, &country,
                     Guarded([this, &country, &clock] {
                         country.PlaceBelowClock(clock.geometry());
                         country.FillSettings();
                         if (services_.dialogs.runModal(country) != QDialog::Accepted)
                             return;
                         // A bad difference stops here, after the name and before anything is saved.
                         country.TakeSettings();
                         clock.ShowCountryName();
                         settings_.save();
                     }));
}
