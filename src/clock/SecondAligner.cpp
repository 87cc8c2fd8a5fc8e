#include "clock/SecondAligner.h"

namespace {

long long secondsOf(const platform::LocalTime& time) {
    const long long days = time.year * 372LL + time.month * 31LL + time.day;
    return (days * 24 + time.hour) * 3600 + time.minute * 60LL + time.second;
}

} // namespace

// Aimed at the boundary itself: the time is read in whole milliseconds, so the wait ends at or past it,
// and a precise timer never fires before its time. Should the wall clock have been slewed by a fraction
// of a millisecond, a tick that lands in the old second claims nothing and is simply aimed again.
int SecondAligner::DelayMs(const platform::LocalTime& now) {
    return 1000 - now.millisecond;
}

bool SecondAligner::Claim(const platform::LocalTime& now) {
    const long long second = secondsOf(now);
    if (second == lastSecond_)
        return false;
    lastSecond_ = second;
    return true;
}
