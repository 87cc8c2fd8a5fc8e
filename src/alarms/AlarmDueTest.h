#pragma once

#include "base/AlarmRows.h"
#include "platform/LocalClock.h"

#include <cstdint>
#include <optional>

// Decides which switched-on rows ring in a tick. A row rings when its minute begins while the clock runs:
// in the first tick of the minute, however late, provided the tick before it fell in the minute just
// before in real time (03:00 follows 01:59 when daylight saving starts); and at most once per local date and
// minute, so a clock set back, or the hour repeated when daylight saving ends, does not ring it again.
// Starting inside the minute rings nothing, and neither does a minute entered from further back (the machine
// slept, or the clock was stepped forward over a minute). A change of time zone starts afresh: the rows are
// due at their minutes of the new local time.
class AlarmDueTest {
public:
    // True when the row is due at `now` and has not yet rung in this minute; the ring is then remembered.
    // Every tick must pass through here, including those with no row switched on.
    bool takeDue(int row, bool on, int hour, int minute, const platform::LocalTime& now);

private:
    void followTick(const platform::LocalTime& now);

    AlarmRows<std::int64_t> lastRung_;
    int zoneChanges_ = 0;
    std::optional<std::int64_t> tickMinute_; // when the latest tick's minute began, in UTC seconds
    bool minuteBegunRunning_ = false;        // the latest tick's minute began after an earlier tick
};
