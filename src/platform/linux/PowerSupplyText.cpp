#include "platform/linux/PowerSupplyText.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <optional>

namespace {

// The first line of the file, without the blanks at its end.
std::string readLine(const PowerSupplyFiles& supply, std::string_view name) {
    std::string line = supply(name);
    line.erase(std::min(line.find('\n'), line.size()));
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back())))
        line.pop_back();
    return line;
}

std::optional<long long> readNumber(const PowerSupplyFiles& supply, std::string_view name) {
    const std::string text = readLine(supply, name);
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// Clamped before rounding: a figure beyond what lround can give would come back as any number.
int clampPercent(double percent) {
    return static_cast<int>(std::lround(std::clamp(percent, 0.0, 100.0)));
}

std::optional<int> ratioPercent(std::optional<long long> now, std::optional<long long> full) {
    if (!now || !full || *full <= 0)
        return std::nullopt;
    return clampPercent(100.0 * static_cast<double>(*now) / static_cast<double>(*full));
}

struct Battery {
    std::optional<int> percent;
    std::optional<long long> energyFull;
    std::optional<long long> chargeFull;
};

Battery readBattery(const PowerSupplyFiles& supply) {
    Battery battery;
    battery.energyFull = readNumber(supply, "energy_full");
    battery.chargeFull = readNumber(supply, "charge_full");
    if (const auto capacity = readNumber(supply, "capacity"))
        battery.percent = clampPercent(static_cast<double>(*capacity));
    else if (const auto energy = ratioPercent(readNumber(supply, "energy_now"), battery.energyFull))
        battery.percent = energy;
    else
        battery.percent = ratioPercent(readNumber(supply, "charge_now"), battery.chargeFull);
    return battery;
}

// Batteries of different sizes count by what they hold; equal weights when sizes are unknown.
int combinedPercent(const std::vector<Battery>& batteries) {
    const auto allHave = [&](std::optional<long long> Battery::*size) {
        return std::all_of(batteries.begin(), batteries.end(),
                           [&](const Battery& b) { return (b.*size).value_or(0) > 0; });
    };
    const bool byEnergy = allHave(&Battery::energyFull);
    const bool byCharge = !byEnergy && allHave(&Battery::chargeFull);
    double sum = 0;
    double weights = 0;
    for (const Battery& battery : batteries) {
        const double weight = byEnergy   ? static_cast<double>(*battery.energyFull)
                              : byCharge ? static_cast<double>(*battery.chargeFull)
                                         : 1.0;
        sum += *battery.percent * weight;
        weights += weight;
    }
    return clampPercent(sum / weights);
}

bool isLineSupply(const std::string& type) {
    return type == "Mains" || type.rfind("USB", 0) == 0 || type == "Wireless";
}

} // namespace

platform::PowerStatus PowerStatusOfSupplies(const std::vector<PowerSupplyFiles>& supplies) {
    bool lineSupplies = false;
    bool lineOnline = false;
    bool discharging = false;
    std::vector<Battery> batteries;
    for (const PowerSupplyFiles& supply : supplies) {
        const std::string type = readLine(supply, "type");
        if (type.empty() || readLine(supply, "scope") == "Device")
            continue;
        if (isLineSupply(type)) {
            lineSupplies = true;
            // USB-C reports 2 for a programmable supply; anything but 0 is power.
            lineOnline = lineOnline || readNumber(supply, "online").value_or(0) != 0;
        } else if (type == "Battery") {
            discharging = discharging || readLine(supply, "status") == "Discharging";
            Battery battery = readBattery(supply);
            if (battery.percent)
                batteries.push_back(battery);
        }
    }

    platform::PowerStatus status;
    status.acLineStatus =
        (lineSupplies ? lineOnline : !discharging) ? platform::AcOnline : platform::AcOffline;
    status.batteryLifePercent = batteries.empty() ? platform::NoBatteryReading : combinedPercent(batteries);
    return status;
}
