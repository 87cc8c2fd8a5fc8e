#pragma once

#include "platform/PowerSource.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// One supply folder under /sys/class/power_supply, as the texts of its files by name ("type", "online",
// "capacity"...); "" for a file that is not there. Read only when asked for.
using PowerSupplyFiles = std::function<std::string(std::string_view name)>;

// The power status of the supplies, by the rules described with SysfsPowerSource.
platform::PowerStatus PowerStatusOfSupplies(const std::vector<PowerSupplyFiles>& supplies);
