#pragma once

#include "base/LocalTime.h"
#include "base/TimeFormat.h"

#include <string>

// The time of day in the user's long time format, e.g. "14:05:00" or "2:05:09 PM".
std::string TimeText(const LocalTime& time, const TimeFormat& format);
