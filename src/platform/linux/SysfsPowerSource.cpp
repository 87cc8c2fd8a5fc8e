#include "platform/linux/SysfsPowerSource.h"

std::optional<platform::PowerStatus> SysfsPowerSource::query() const {
    return platform::PowerStatus{platform::AcOnline, platform::NoBatteryReading};
}
