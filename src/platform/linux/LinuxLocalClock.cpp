#include "platform/linux/LinuxLocalClock.h"

platform::LocalTime LinuxLocalClock::now() const {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const std::tm parts = zone_.localTime(now.tv_sec);
    return {parts.tm_year + 1900,
            parts.tm_mon + 1,
            parts.tm_mday,
            parts.tm_hour,
            parts.tm_min,
            parts.tm_sec,
            static_cast<int>(now.tv_nsec / 1000000),
            zone_.changes(),
            static_cast<int>(parts.tm_gmtoff)};
}
