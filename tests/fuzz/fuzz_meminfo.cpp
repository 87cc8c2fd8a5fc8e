// Any meminfo text is read without a crash, and the last of each field counts whatever came before it.
#include "FuzzCheck.h"
#include "platform/linux/ProcText.h"

#include <functional>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = InputText(data, size);
    MemInfoOfText(text);

    // Up to 2^40 kB, a petabyte.
    const std::uint64_t total = std::hash<std::string_view>{}(text) >> 24;
    const std::uint64_t available = total / 3, swap = total % 1000003, swapFree = swap / 2;
    const std::string meminfo = std::string(text) + "\nMemTotal:       " + std::to_string(total) +
                                " kB\nMemFree: 1 kB\nMemAvailable:   " + std::to_string(available) +
                                " kB\nSwapTotal:      " + std::to_string(swap) +
                                " kB\nSwapFree: " + std::to_string(swapFree) + " kB\nHugePages_Total: 0\n";
    const std::optional<platform::MemoryStatus> status = MemInfoOfText(meminfo);
    check(status.has_value());
    check(status->totalPhysical == total * 1024 && status->availablePhysical == available * 1024);
    check(status->totalSwap == swap * 1024 && status->availableSwap == swapFree * 1024);
    return 0;
}
