#include "alarms/frmalarmU.h"
#include "clock/Forms.h"
#include "clock/formDialtop.h"
#include "platform/Dialogs.h"
#include "ui/Guarded.h"

#include <QAction>

void Tdialform::ConnectAlarm1() {
    connect(Alarm1, &QAction::triggered, this, Guarded([this] { Alarm1Click(); }));
}

void Tdialform::Alarm1Click() {
    Tfrmalarm& alarm = *forms_.frmalarm;
    alarm.PlaceBelowClock();
    // What is only in memory (a Use box toggled before a CANCEL) is dropped here.
    LoadSettings();
    alarm.FillRows();
    if (services_.dialogs.runModal(alarm) != QDialog::Accepted)
        return;
    alarm.TakeRows();
    SaveSettings();
}
