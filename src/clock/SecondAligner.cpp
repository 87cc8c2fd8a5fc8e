#include "clock/SecondAligner.h"

namespace {

// Past the boundary by a little, so that a timer firing a millisecond early still lands in the new second.
constexpr int MarginMs = 3;

long long secondsOf(const platform::LocalTime& time) {
    const long long days = time.year * 372LL + time.month * 31LL + time.day;
    return (days * 24 + time.hour) * 3600 + time.minute * 60LL + time.second;
}

} // namespace

int SecondAligner::DelayMs(const platform::LocalTime& now) {
    return 1000 - now.millisecond + MarginMs;
}

bool SecondAligner::Claim(const platform::LocalTime& now) {
    const long long second = secondsOf(now);
    if (second == lastSecond_)
        return false;
    lastSecond_ = second;
    return true;
}
