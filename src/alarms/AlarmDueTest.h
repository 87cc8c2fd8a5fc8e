#pragma once

#include "clock/AlarmRows.h"
#include "platform/LocalClock.h"

#include <cstdint>

// Decides which switched-on rows ring in a tick. A row rings in any tick of the minute it names, however
// late or irregular the ticks, and at most once per local date and minute: a clock set back, or the hour
// repeated when daylight saving ends, does not ring it again. A minute with no tick in it at all (the
// machine slept through it) rings nothing afterwards. A change of time zone starts afresh: the rows are
// due at their minutes of the new local time.
class AlarmDueTest {
public:
    // True when the row is due at `now` and has not yet rung in this minute; the ring is then remembered.
    bool takeDue(int row, bool on, int hour, int minute, const platform::LocalTime& now);

private:
    AlarmRows<std::int64_t> lastRung_;
    int zoneChanges_ = 0;
};
