// Any cpuinfo or cpufreq text gives a name that is one trimmed line and megahertz that are digits; the
// fields a kernel writes first are found whatever follows them.
#include "FuzzCheck.h"
#include "platform/linux/ProcText.h"

#include <string>

namespace {

void checkFound(const platform::FactReading& fact, const char* allowed, bool trimmed) {
    if (fact.status != platform::FactReading::Found) {
        check(fact.status == platform::FactReading::Missing && fact.value.empty());
        return;
    }
    check(!fact.value.empty() && fact.value.find('\n') == std::string::npos);
    if (allowed)
        check(fact.value.find_first_not_of(allowed) == std::string::npos);
    if (trimmed)
        check(fact.value.find_first_of(" \t\r") != 0 &&
              fact.value.find_last_of(" \t\r") != fact.value.size() - 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = InputText(data, size);
    const platform::ProcessorFacts facts = ProcessorOfCpuinfo(text);
    checkFound(facts.name, nullptr, true);
    checkFound(facts.megahertz, "0123456789", false);
    checkFound(MegahertzOfCpufreq(text), "0123456789", false);

    const std::string cpuinfo = "processor\t: 0\nvendor_id\t: GenuineIntel\nmodel name\t: Xeon(R) @ 2.40GHz\n"
                                "cpu MHz\t\t: 2400.000\n" +
                                std::string(text);
    const platform::ProcessorFacts first = ProcessorOfCpuinfo(cpuinfo);
    check(first.name.value == "Xeon(R) @ 2.40GHz" && first.megahertz.value == "2400");
    return 0;
}
