#include "base/TimeText.h"

#include <cstdio>

namespace {

std::string twoDigits(int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%.2d", value);
    return buffer;
}

} // namespace

std::string TimeText(const LocalTime& time, const TimeFormat& format) {
    int hour = time.hour;
    std::string marker;
    if (format.twelveHour) {
        marker = hour < 12 ? format.amText : format.pmText;
        hour %= 12;
        if (hour == 0)
            hour = 12;
    }
    std::string text = format.hourLeadingZero ? twoDigits(hour) : std::to_string(hour);
    text += format.separator + twoDigits(time.minute) + format.separator + twoDigits(time.second);
    if (!format.twelveHour)
        return text;
    return format.markerBeforeTime ? marker + " " + text : text + " " + marker;
}
