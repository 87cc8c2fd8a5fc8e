#include "platform/linux/ZoneWatch.h"

// Daylight saving changes the offset too, but by the zone's own rules: the zone has changed only when
// the rules now in force give the previous reading another offset than it had.
std::tm ZoneWatch::localTime(std::time_t utc) {
    tzset();
    if (seen_) {
        std::tm previous{};
        localtime_r(&lastUtc_, &previous);
        if (previous.tm_gmtoff != lastOffset_)
            ++changes_;
    }
    std::tm parts{};
    localtime_r(&utc, &parts);
    seen_ = true;
    lastUtc_ = utc;
    lastOffset_ = parts.tm_gmtoff;
    return parts;
}
