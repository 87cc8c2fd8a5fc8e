#include "alarms/AlarmDueTest.h"

namespace {

// The local date and minute as one number, YYYYMMDDhhmm; never 0 for a real time.
std::int64_t minuteKey(const platform::LocalTime& time) {
    return ((std::int64_t{time.year} * 100 + time.month) * 100 + time.day) * 10000 + time.hour * 100 +
           time.minute;
}

} // namespace

bool AlarmDueTest::takeDue(int row, bool on, int hour, int minute, const platform::LocalTime& now) {
    // A new zone is no clock set back: each row is due at its minute of the new local time, once.
    if (now.zoneChanges != zoneChanges_) {
        zoneChanges_ = now.zoneChanges;
        lastRung_.fill(0);
    }
    if (!on || hour != now.hour || minute != now.minute)
        return false;
    const std::int64_t key = minuteKey(now);
    if (lastRung_[row] == key)
        return false;
    lastRung_[row] = key;
    return true;
}
