#pragma once

#include "platform/LiveReadings.h"

// The boot clock, /proc/meminfo and /proc/stat.
class LinuxLiveReadings : public platform::LiveReadings {
public:
    std::uint64_t millisecondsSinceBoot() const override;
    platform::MemoryStatus memory() const override;
    std::optional<platform::CpuTimes> cpuTimes() const override;
};
