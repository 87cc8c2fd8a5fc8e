#pragma once

#include "platform/PowerSource.h"

// Power supplies as the kernel lists them under /sys/class/power_supply.
class SysfsPowerSource : public platform::PowerSource {
public:
    std::optional<platform::PowerStatus> query() const override;
};
