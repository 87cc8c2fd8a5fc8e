#pragma once

#include "platform/LiveReadings.h"
#include "platform/SystemFacts.h"

#include <optional>
#include <string>
#include <vector>

// Readers of the system's own files, each given its paths so that tests can hand in others.

// PRETTY_NAME of the first os-release file that exists, unquoted; "Linux" when it has none.
std::string ReadOsName(const std::vector<std::string>& osReleasePaths);

// The processor's name from cpuinfo (x86 and ARM field names) and its whole megahertz, from
// cpuinfo or else from cpufreq's maximum (kHz). An unreadable cpuinfo leaves both unreadable.
platform::ProcessorFacts ReadProcessor(const std::string& cpuinfoPath, const std::string& cpufreqMaxPath);

// The 32 hexadecimal digits of machine-id(5).
platform::FactReading ReadMachineId(const std::string& path);

std::optional<platform::MemoryStatus> ReadMemInfo(const std::string& path);

// The "cpu" line (idle = idle + iowait) and the number of "cpuN" lines after it.
std::optional<platform::CpuTimes> ReadProcStat(const std::string& path);
