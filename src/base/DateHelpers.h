#pragma once

#include "base/LocalTime.h"

// The time of day a whole number of minutes later (or earlier, when negative), wrapping past midnight
// either way. Only the time of day is kept meaningful; the date fields are left as they were.
LocalTime AddMinutes(const LocalTime& time, long long minutes);

// The time of day a whole number of seconds later.
LocalTime AddSeconds(const LocalTime& time, long long seconds);
