#include "sysinfo/CpuLoadMeter.h"

#include "platform/LiveReadings.h"

#include <charconv>
#include <cmath>

std::string TCpuLoadMeter::ReadCpuUsage() {
    const std::optional<platform::CpuTimes> times = readings_.cpuTimes();
    if (!times || times->processors == 0)
        return {};
    std::string result;
    if (PreviousIdleTime != 0) {
        const double idle = static_cast<double>(times->idle) - static_cast<double>(PreviousIdleTime);
        const double elapsed =
            (static_cast<double>(times->total) - static_cast<double>(PreviousSystemTime)) / times->processors;
        if (elapsed > 0) {
            const double load = 100 - (idle / elapsed) * 100 / times->processors + 0.5;
            char text[32];
            const auto [end, error] =
                std::to_chars(text, text + sizeof text, load, std::chars_format::fixed, 1);
            if (error == std::errc())
                result.assign(text, end);
        }
    }
    PreviousIdleTime = times->idle;
    PreviousSystemTime = times->total;
    return result;
}

int CpuPercent(const std::string& loadText) {
    double value = 0;
    const char* end = loadText.data() + loadText.size();
    const auto [stop, error] = std::from_chars(loadText.data(), end, value);
    if (error != std::errc() || stop != end || !std::isfinite(value) || std::fabs(value) > 1e9)
        return 0;
    return static_cast<int>(std::nearbyint(value));
}
