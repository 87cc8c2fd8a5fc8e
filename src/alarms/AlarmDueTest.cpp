#include "alarms/AlarmDueTest.h"

#include <chrono>

namespace {

// The local date and minute as one number, YYYYMMDDhhmm; never 0 for a real time.
std::int64_t minuteKey(const platform::LocalTime& time) {
    return ((std::int64_t{time.year} * 100 + time.month) * 100 + time.day) * 10000 + time.hour * 100 +
           time.minute;
}

// The UTC second at which the local minute began. Daylight saving leaves a gap or a repeat in the local
// minutes, but in real time 01:59 winter time is the minute just before 03:00 summer time.
std::int64_t minuteStart(const platform::LocalTime& time) {
    using namespace std::chrono;
    const sys_days date{year{time.year} / month{static_cast<unsigned>(time.month)} /
                        day{static_cast<unsigned>(time.day)}};
    const std::int64_t localMinute =
        std::int64_t{date.time_since_epoch().count()} * 1440 + time.hour * 60 + time.minute;
    return localMinute * 60 - time.utcOffsetSeconds;
}

} // namespace

void AlarmDueTest::followTick(const platform::LocalTime& now) {
    const std::int64_t start = minuteStart(now);
    if (start == tickMinute_)
        return;
    minuteBegunRunning_ = tickMinute_ && start == *tickMinute_ + 60;
    tickMinute_ = start;
}

bool AlarmDueTest::takeDue(int row, bool on, int hour, int minute, const platform::LocalTime& now) {
    // A new zone is no clock set back: each row is due at its minute of the new local time, once.
    if (now.zoneChanges != zoneChanges_) {
        zoneChanges_ = now.zoneChanges;
        lastRung_.fill(0);
    }
    followTick(now);
    if (!on || !minuteBegunRunning_ || hour != now.hour || minute != now.minute)
        return false;
    const std::int64_t key = minuteKey(now);
    if (lastRung_[row] == key)
        return false;
    lastRung_[row] = key;
    return true;
}
