#include "platform/linux/ProcReaders.h"

#include "platform/linux/ProcText.h"

#include <fstream>
#include <iterator>

namespace {

// The whole text of a file; /proc files give their size as 0, so it is read to its end.
std::optional<std::string> FileText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

} // namespace

std::string ReadOsName(const std::vector<std::string>& osReleasePaths) {
    for (const std::string& path : osReleasePaths)
        if (const std::optional<std::string> text = FileText(path))
            return OsNameOfText(*text);
    return {};
}

platform::ProcessorFacts ReadProcessor(const std::string& cpuinfoPath, const std::string& cpufreqMaxPath) {
    const std::optional<std::string> cpuinfo = FileText(cpuinfoPath);
    if (!cpuinfo)
        return {};
    platform::ProcessorFacts facts = ProcessorOfCpuinfo(*cpuinfo);
    if (facts.megahertz.status != platform::FactReading::Found)
        facts.megahertz = MegahertzOfCpufreq(FileText(cpufreqMaxPath).value_or(""));
    return facts;
}

platform::FactReading ReadMachineId(const std::string& path) {
    const std::optional<std::string> text = FileText(path);
    if (!text)
        return {};
    return MachineIdOfText(*text);
}

std::optional<platform::MemoryStatus> ReadMemInfo(const std::string& path) {
    const std::optional<std::string> text = FileText(path);
    if (!text)
        return std::nullopt;
    return MemInfoOfText(*text);
}

std::optional<platform::CpuTimes> ReadProcStat(const std::string& path) {
    std::ifstream file(path);
    if (!file)
        return std::nullopt;
    // Only the leading "cpu" lines: the file's long remainder is read every refresh for nothing.
    std::string text, line;
    while (std::getline(file, line) && line.starts_with("cpu"))
        text += line + '\n';
    return ProcStatOfText(text);
}
