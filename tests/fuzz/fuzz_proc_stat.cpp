// Any /proc/stat text is read without a crash; the totals and processor count come from the "cpu" lines
// alone, whatever follows them.
#include "FuzzCheck.h"
#include "platform/linux/ProcText.h"

#include <functional>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = InputText(data, size);
    if (const std::optional<platform::CpuTimes> any = ProcStatOfText(text))
        check(any->processors > 0 && text.starts_with("cpu "));

    // user nice system idle iowait irq softirq steal guest guest_nice, each up to 2^56 ticks
    std::uint64_t times[10];
    std::string stat = "cpu ";
    for (std::uint64_t i = 0, hash = std::hash<std::string_view>{}(text); i < 10; ++i) {
        times[i] = (hash * (i + 1)) >> 8;
        stat += " " + std::to_string(times[i]);
    }
    stat += "\ncpu0 1 2 3 4 5 6 7 8 0 0\ncpu1 1 2 3 4 5 6 7 8 0 0\nintr 1 2 3\n" + std::string(text);
    const std::optional<platform::CpuTimes> cpu = ProcStatOfText(stat);
    check(cpu && cpu->processors == 2 && cpu->idle == times[3] + times[4]);
    std::uint64_t total = 0;
    for (int i = 0; i < 8; ++i)
        total += times[i];
    check(cpu->total == total);
    return 0;
}
