#pragma once

#include "platform/LocalClock.h"
#include "platform/linux/ZoneWatch.h"

class LinuxLocalClock : public platform::LocalClock {
public:
    platform::LocalTime now() const override;

private:
    // Every reading follows the zone; only the interface thread reads the clock.
    mutable ZoneWatch zone_;
};
