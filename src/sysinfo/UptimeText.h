#pragma once

#include <cstdint>
#include <string>

// "02 days, 03 hours, 00 min, 59 secs"; the day group only from the first whole day on.
std::string UptimeText(std::uint64_t millisecondsSinceBoot);
