#pragma once

#include "platform/LocalClock.h"
#include "platform/TimeFormatSource.h"

#include <string>

// The time of day in the user's long time format, e.g. "14:05:00" or "2:05:09 PM".
std::string TimeText(const platform::LocalTime& time, const platform::TimeFormat& format);
