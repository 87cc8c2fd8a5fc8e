#include "platform/linux/LinuxLocalClock.h"

#include <ctime>

platform::LocalTime LinuxLocalClock::now() const {
    timespec spec{};
    clock_gettime(CLOCK_REALTIME, &spec);
    tm parts{};
    localtime_r(&spec.tv_sec, &parts);
    return {parts.tm_year + 1900,
            parts.tm_mon + 1,
            parts.tm_mday,
            parts.tm_hour,
            parts.tm_min,
            parts.tm_sec,
            static_cast<int>(spec.tv_nsec / 1000000)};
}
