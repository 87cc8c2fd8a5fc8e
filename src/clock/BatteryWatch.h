#pragma once

#include "clock/PowerStatus.h"

#include <optional>
#include <string>

// The battery watch's counters. They are fields of the main window, which other windows may read; the
// watch works on them where they are.
struct BatteryCounters {
    int& PreviousPercent;
    int& LastPercent;
    int& TicksSinceDrop;
    bool& Warned5;
    bool& Warned3;
};

// What each clock tick makes of the latest power sample: which low-battery warning is due, and on
// battery the remaining-time estimate. Every step reads the sample as it is when the step runs, so a
// tick that resumes after a warning box (ticks go on inside it) works on the newest reading.
class BatteryWatch {
public:
    explicit BatteryWatch(BatteryCounters counters) : counters_(counters) {}

    // Whether the 5% (or the 3%) warning is due now. A due warning is marked as given at once, so that
    // ticks running while its box is open do not raise it again.
    bool TakeFivePercentWarning(const PowerSample& sample);
    bool TakeThreePercentWarning(const PowerSample& sample);
    // A climb back re-arms the warnings: both at 6% or more, and the 3% one also at 4% or 5%.
    void RearmFivePercentWarning(const PowerSample& sample);
    void RearmThreePercentWarning(const PowerSample& sample);

    // One tick on battery: counts the tick and, when the charge dropped since the last tick on battery,
    // estimates the time left. Gives the remaining-time text when it changes.
    std::optional<std::string> TickOnBattery(const PowerSample& sample);
    // One tick on mains power: the next tick on battery starts counting afresh.
    void TickOnMains();

    // "TTL = mm:ss"; minutes may have more than two digits, and both parts carry their own sign.
    static std::string EstimateText(long long seconds);

private:
    BatteryCounters counters_;
};
