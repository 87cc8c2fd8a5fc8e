#pragma once

#include <cstdint>
#include <optional>

namespace platform {

struct MemoryStatus { // bytes
    std::uint64_t totalPhysical = 0;
    std::uint64_t availablePhysical = 0;
    std::uint64_t totalSwap = 0;
    std::uint64_t availableSwap = 0;
};

// Cumulative times of all processors since boot, in the system's clock ticks.
struct CpuTimes {
    unsigned processors = 0;
    std::uint64_t idle = 0;
    std::uint64_t total = 0;
};

// The figures the live monitor reads several times a second; cheap to call.
class LiveReadings {
public:
    virtual ~LiveReadings() = default;
    virtual std::uint64_t millisecondsSinceBoot() const = 0;
    virtual MemoryStatus memory() const = 0; // all zero when unreadable
    virtual std::optional<CpuTimes> cpuTimes() const = 0;
};

} // namespace platform
