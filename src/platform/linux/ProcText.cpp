#include "platform/linux/ProcText.h"

#include <cstdint>
#include <sstream>

namespace {

// The lines of a text one by one, without their "\n", as std::getline gives them from a file.
class Lines {
public:
    explicit Lines(std::string_view text) : rest_(text) {}

    bool next(std::string& line) {
        if (rest_.empty())
            return false;
        const std::size_t end = rest_.find('\n');
        line = rest_.substr(0, end);
        rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
        return true;
    }

private:
    std::string_view rest_;
};

std::string Trimmed(const std::string& text) {
    const char* blanks = " \t\r\n";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// "key<blanks>: value" as in cpuinfo and meminfo; false for other lines.
bool SplitField(const std::string& line, std::string& key, std::string& value) {
    const std::size_t colon = line.find(':');
    if (colon == std::string::npos)
        return false;
    key = Trimmed(line.substr(0, colon));
    value = Trimmed(line.substr(colon + 1));
    return true;
}

// The leading whole number of a text such as "2400.000", if it has one.
std::optional<std::uint64_t> LeadingNumber(const std::string& text) {
    std::uint64_t number = 0;
    std::size_t digits = 0;
    for (; digits < text.size() && digits < 18 && text[digits] >= '0' && text[digits] <= '9'; ++digits)
        number = number * 10 + static_cast<std::uint64_t>(text[digits] - '0');
    if (digits == 0)
        return std::nullopt;
    return number;
}

std::string Unquoted(const std::string& value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        std::string inner;
        for (std::size_t i = 1; i + 1 < value.size(); ++i) {
            if (value[i] == '\\' && i + 2 < value.size())
                ++i;
            inner += value[i];
        }
        return inner;
    }
    return value;
}

} // namespace

std::string OsNameOfText(std::string_view osRelease) {
    Lines lines(osRelease);
    std::string line;
    while (lines.next(line)) {
        const std::string prefix = "PRETTY_NAME=";
        if (line.rfind(prefix, 0) == 0)
            return Trimmed(Unquoted(Trimmed(line.substr(prefix.size()))));
    }
    return "Linux";
}

platform::ProcessorFacts ProcessorOfCpuinfo(std::string_view cpuinfo) {
    // In order of preference; ARM kernels name the processor by other fields than x86 ones.
    const char* nameKeys[] = {"model name", "Processor", "cpu model", "Hardware"};
    std::string names[std::size(nameKeys)];
    std::string mhz;
    Lines lines(cpuinfo);
    std::string line, key, value;
    while (lines.next(line)) {
        if (!SplitField(line, key, value) || value.empty())
            continue;
        for (std::size_t i = 0; i < std::size(nameKeys); ++i)
            if (key == nameKeys[i] && names[i].empty())
                names[i] = value;
        if (key == "cpu MHz" && mhz.empty())
            mhz = value;
    }
    platform::ProcessorFacts facts;
    facts.name.status = platform::FactReading::Missing;
    for (const std::string& name : names)
        if (!name.empty()) {
            facts.name = {platform::FactReading::Found, name};
            break;
        }
    facts.megahertz.status = platform::FactReading::Missing;
    if (std::optional<std::uint64_t> number = LeadingNumber(mhz))
        facts.megahertz = {platform::FactReading::Found, std::to_string(*number)};
    return facts;
}

platform::FactReading MegahertzOfCpufreq(std::string_view kilohertz) {
    Lines lines(kilohertz);
    std::string line;
    if (lines.next(line))
        if (std::optional<std::uint64_t> number = LeadingNumber(Trimmed(line)))
            return {platform::FactReading::Found, std::to_string(*number / 1000)};
    return {platform::FactReading::Missing, {}};
}

platform::FactReading MachineIdOfText(std::string_view text) {
    Lines lines(text);
    std::string id;
    lines.next(id);
    id = Trimmed(id);
    const bool valid = id.size() == 32 && id.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos;
    if (!valid)
        return {platform::FactReading::Missing, {}};
    return {platform::FactReading::Found, id};
}

std::optional<platform::MemoryStatus> MemInfoOfText(std::string_view meminfo) {
    platform::MemoryStatus status;
    bool total = false, available = false;
    Lines lines(meminfo);
    std::string line, key, value;
    while (lines.next(line)) {
        if (!SplitField(line, key, value))
            continue;
        const std::optional<std::uint64_t> kilobytes = LeadingNumber(value);
        if (!kilobytes)
            continue;
        const std::uint64_t bytes = *kilobytes * 1024;
        if (key == "MemTotal")
            status.totalPhysical = bytes, total = true;
        else if (key == "MemAvailable")
            status.availablePhysical = bytes, available = true;
        else if (key == "SwapTotal")
            status.totalSwap = bytes;
        else if (key == "SwapFree")
            status.availableSwap = bytes;
    }
    if (!total || !available)
        return std::nullopt;
    return status;
}

std::optional<platform::CpuTimes> ProcStatOfText(std::string_view stat) {
    Lines lines(stat);
    std::string line;
    if (!lines.next(line) || line.rfind("cpu ", 0) != 0)
        return std::nullopt;
    std::istringstream fields(line.substr(4));
    // user nice system idle iowait irq softirq steal; guest time is already counted in user.
    std::uint64_t times[8] = {};
    int read = 0;
    while (read < 8 && fields >> times[read])
        ++read;
    if (read < 4)
        return std::nullopt;
    platform::CpuTimes cpu;
    cpu.idle = times[3] + times[4];
    for (std::uint64_t time : times)
        cpu.total += time;
    // The per-processor lines follow the total; the long remainder is not looked at.
    while (lines.next(line) && line.rfind("cpu", 0) == 0)
        ++cpu.processors;
    if (cpu.processors == 0)
        return std::nullopt;
    return cpu;
}
