#include "sysinfo/UptimeText.h"

#include <cstdio>

namespace {

// A number with at least two digits and its unit word, plural only above one.
std::string Group(std::uint64_t number, const char* word) {
    char text[40];
    std::snprintf(text, sizeof text, "%.2llu %s%s", static_cast<unsigned long long>(number), word,
                  number > 1 ? "s" : "");
    return text;
}

} // namespace

std::string UptimeText(std::uint64_t millisecondsSinceBoot) {
    const std::uint64_t seconds = millisecondsSinceBoot / 1000;
    const std::uint64_t minutes = seconds / 60;
    const std::uint64_t days = minutes / 1440;
    std::string text = Group((minutes / 60) % 24, "hour") + ", " + Group(minutes % 60, "min") + ", " +
                       Group(seconds % 60, "sec");
    return days > 0 ? Group(days, "day") + ", " + text : text;
}
