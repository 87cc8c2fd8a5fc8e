#pragma once

#include <string>

// The user's long time format. The defaults are what applies when a setting cannot be read.
struct TimeFormat {
    bool twelveHour = true;
    bool markerBeforeTime = false;
    bool hourLeadingZero = false;
    std::string separator = ":";
    std::string amText = "am";
    std::string pmText = "pm";

    bool operator==(const TimeFormat&) const = default;
};
