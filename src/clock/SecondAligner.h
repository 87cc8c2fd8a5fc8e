#pragma once

#include "platform/LocalClock.h"

// Aims the clock tick at each wall-clock second and lets exactly one tick claim each second.
// A free-running one-second timer drifts, so the shown second lags and some minutes would get no tick
// at second 0 (alarms missed) or two (alarms rung twice).
class SecondAligner {
public:
    // How long to wait from `now` until the next second boundary.
    static int DelayMs(const platform::LocalTime& now);

    // True when `now` falls in a second that has not had its tick yet; that second is then taken.
    bool Claim(const platform::LocalTime& now);

private:
    long long lastSecond_ = -1;
};
