#pragma once

#include <cstdint>
#include <string>

namespace platform {
class LiveReadings;
}

// Processor load between two successive readings, from the cumulative idle time of all processors.
class TCpuLoadMeter {
public:
    explicit TCpuLoadMeter(const platform::LiveReadings& readings) : readings_(readings) {}

    // The load since the previous reading plus one half, with one decimal and a '.' whatever the
    // locale; empty when there is no reading (the first one, a failed one, no time elapsed).
    std::string ReadCpuUsage();

private:
    const platform::LiveReadings& readings_;
    std::uint64_t PreviousIdleTime = 0;
    std::uint64_t PreviousSystemTime = 0;
};

// The whole percentage a load text stands for, halves to the even neighbour; 0 when not a number.
int CpuPercent(const std::string& loadText);
