#include "clock/formDialtop.h"

void Tdialform::LoadSettings() {
    TimeDifference = 0;
    CountryName = QStringLiteral("Vazezo");
    ShowExpanded = false;
    for (int row = 1; row <= AlarmRowCount; ++row) {
        AlarmOn[row] = false;
        AlarmHour[row] = 0;
        AlarmMinute[row] = 0;
        AlarmSound[row] = QStringLiteral("None");
    }
}

void Tdialform::SaveSettings() {}
