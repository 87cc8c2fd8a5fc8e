#include "clock/PowerStatus.h"

void PowerSample::ReadPowerStatus(const platform::PowerSource& source) {
    const auto status = source.query();
    if (status) {
        switch (status->acLineStatus) {
        case platform::AcOffline:
            ACStatusText = AcOffLineText;
            break;
        case platform::AcOnline:
            ACStatusText = AcOnLineText;
            break;
        case platform::AcBackup:
            ACStatusText = AcBackupText;
            break;
        case platform::AcUnknown:
            ACStatusText = AcUnknownText;
            break;
        default:
            break;
        }
        BatteryPercent = status->batteryLifePercent;
        Sampled = true;
    }
    PercentChanged = BatteryPercent != PreviousSamplePercent;
    PreviousSamplePercent = BatteryPercent;
}
