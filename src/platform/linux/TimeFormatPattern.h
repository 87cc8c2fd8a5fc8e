#pragma once

#include "platform/TimeFormatSource.h"

#include <string>

// The locale's time strings as nl_langinfo gives them (T_FMT, T_FMT_AMPM, AM_STR, PM_STR).
struct LocaleTimeStrings {
    std::string timeFormat;
    std::string timeFormatAmPm;
    std::string amText;
    std::string pmText;
};

// Reads the clock's settings out of strftime-style patterns; whatever cannot be read keeps the
// default of platform::TimeFormat.
platform::TimeFormat interpretTimeFormat(const LocaleTimeStrings& strings);
