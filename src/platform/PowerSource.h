#pragma once

#include <optional>

namespace platform {

enum AcLine : int { AcOffline = 0, AcOnline = 1, AcBackup = 2, AcUnknown = 255 };

constexpr int NoBatteryReading = 255;

struct PowerStatus {
    int acLineStatus = AcUnknown;
    int batteryLifePercent = NoBatteryReading; // 0..100, or NoBatteryReading

    bool operator==(const PowerStatus&) const = default;
};

class PowerSource {
public:
    virtual ~PowerSource() = default;
    // Empty when the power status cannot be queried at all.
    virtual std::optional<PowerStatus> query() const = 0;
};

} // namespace platform
