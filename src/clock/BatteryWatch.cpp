#include "clock/BatteryWatch.h"

#include <cstdio>

namespace {

bool notOnMains(const PowerSample& sample) {
    return sample.ACStatusText != AcOnLineText;
}

std::string twoDigits(long long value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2lld", value);
    return buffer;
}

} // namespace

bool BatteryWatch::TakeFivePercentWarning(const PowerSample& sample) {
    const int percent = sample.BatteryPercent;
    if (percent <= 3 || percent > 5 || counters_.Warned5 || !notOnMains(sample))
        return false;
    counters_.Warned5 = true;
    return true;
}

bool BatteryWatch::TakeThreePercentWarning(const PowerSample& sample) {
    if (sample.BatteryPercent > 3 || counters_.Warned3 || !notOnMains(sample))
        return false;
    counters_.Warned3 = true;
    return true;
}

void BatteryWatch::RearmFivePercentWarning(const PowerSample& sample) {
    if (sample.BatteryPercent >= 6) {
        counters_.Warned5 = false;
        counters_.Warned3 = false;
    }
}

void BatteryWatch::RearmThreePercentWarning(const PowerSample& sample) {
    if (sample.BatteryPercent >= 4)
        counters_.Warned3 = false;
}

std::optional<std::string> BatteryWatch::TickOnBattery(const PowerSample& sample) {
    std::optional<std::string> text;
    if (counters_.TicksSinceDrop == 0)
        text = "TTL = #";
    counters_.PreviousPercent = counters_.LastPercent;
    counters_.LastPercent = sample.BatteryPercent;
    if (counters_.LastPercent < counters_.PreviousPercent) {
        // Every percent above 3 is taken to last as long as the last one did, one tick a second.
        text = EstimateText(static_cast<long long>(sample.BatteryPercent - 3) * counters_.TicksSinceDrop);
        counters_.TicksSinceDrop = 0;
    }
    ++counters_.TicksSinceDrop;
    return text;
}

void BatteryWatch::TickOnMains() {
    counters_.TicksSinceDrop = 0;
}

std::string BatteryWatch::EstimateText(long long seconds) {
    return "TTL = " + twoDigits(seconds / 60) + ":" + twoDigits(seconds % 60);
}
