#pragma once

#include "base/AlarmRows.h"

#include <QString>

// What settings.ini holds: the second country's clock and the seventeen alarms.
struct Settings {
    int TimeDifference = 0;
    QString CountryName;
    bool ShowExpanded = false;
    AlarmRows<bool> AlarmOn;
    AlarmRows<int> AlarmHour;
    AlarmRows<int> AlarmMinute;
    AlarmRows<QString> AlarmSound;
};
