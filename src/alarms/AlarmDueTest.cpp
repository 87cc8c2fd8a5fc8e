#include "alarms/AlarmDueTest.h"

#include <chrono>

namespace {

// The local date and minute as one number, YYYYMMDDhhmm; never 0 for a real time.
std::int64_t minuteKey(const platform::LocalTime& time) {
    return ((std::int64_t{time.year} * 100 + time.month) * 100 + time.day) * 10000 + time.hour * 100 +
           time.minute;
}

// Minutes of the local calendar, counted without gaps, so the minute before midnight is one less.
std::int64_t minuteNumber(const platform::LocalTime& time) {
    using namespace std::chrono;
    const sys_days date{year{time.year} / month{static_cast<unsigned>(time.month)} /
                        day{static_cast<unsigned>(time.day)}};
    return std::int64_t{date.time_since_epoch().count()} * 1440 + time.hour * 60 + time.minute;
}

} // namespace

void AlarmDueTest::followTick(const platform::LocalTime& now) {
    const std::int64_t minute = minuteNumber(now);
    if (minute == tickMinute_)
        return;
    minuteBegunRunning_ = tickMinute_ && minute == *tickMinute_ + 1;
    tickMinute_ = minute;
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
