#include "platform/linux/LinuxLiveReadings.h"

#include "platform/linux/ProcReaders.h"

#include <time.h>

std::uint64_t LinuxLiveReadings::millisecondsSinceBoot() const {
    // The boot clock goes on counting through suspend, as the time since boot should.
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * 1000 + static_cast<std::uint64_t>(now.tv_nsec) / 1000000;
}

platform::MemoryStatus LinuxLiveReadings::memory() const {
    return ReadMemInfo("/proc/meminfo").value_or(platform::MemoryStatus{});
}

std::optional<platform::CpuTimes> LinuxLiveReadings::cpuTimes() const {
    return ReadProcStat("/proc/stat");
}
