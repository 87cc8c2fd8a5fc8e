#pragma once

#include "platform/PowerSource.h"

#include <string>

// Power supplies as the kernel lists them under /sys/class/power_supply.
//
// Setting DIALTOP_POWER_SUPPLY_DIR to a folder of the same layout simulates them. One sub-folder per
// supply, each holding one-line text files; for example a laptop running on its battery:
//
//   $DIALTOP_POWER_SUPPLY_DIR/AC/type         Mains        (Mains, USB, Wireless, Battery, UPS, ...)
//   $DIALTOP_POWER_SUPPLY_DIR/AC/online       0            (1 when plugged in)
//   $DIALTOP_POWER_SUPPLY_DIR/BAT0/type       Battery
//   $DIALTOP_POWER_SUPPLY_DIR/BAT0/status     Discharging  (Charging, Discharging, Full, Not charging,
//   Unknown) $DIALTOP_POWER_SUPPLY_DIR/BAT0/capacity   42           (percent; or energy_now and energy_full,
//                                                           or charge_now and charge_full)
//   $DIALTOP_POWER_SUPPLY_DIR/BAT0/scope      System       (optional; Device marks a mouse or keyboard)
//
// AC line: on-line when any Mains, USB or Wireless supply reports a non-zero "online", off-line when
// such supplies exist and none does. With none of them, off-line only while a battery discharges.
// Battery: "capacity", else the energy or charge ratio, rounded and clamped to 0..100; 255 without a
// battery. Supplies with scope Device are ignored. Several batteries give one percentage, each weighted
// by its full energy (or full charge when not all report energy; equally when neither is known).
class SysfsPowerSource : public platform::PowerSource {
public:
    // An empty folder means DIALTOP_POWER_SUPPLY_DIR, or /sys/class/power_supply when that is unset.
    explicit SysfsPowerSource(std::string folder = {});
    // Empty only when the folder cannot be read at all.
    std::optional<platform::PowerStatus> query() const override;

private:
    std::string folder_;
};
