#pragma once

#include "platform/LiveReadings.h"
#include "platform/SystemFacts.h"

#include <optional>
#include <string>
#include <string_view>

// The texts of the system's own files (os-release, /proc, /sys), read apart from the files so that
// any text can be tried on them; ProcReaders reads the files.

// PRETTY_NAME of an os-release text, unquoted; "Linux" when it has none.
std::string OsNameOfText(std::string_view osRelease);

// The processor's name from a cpuinfo text (x86 and ARM field names) and its whole megahertz; either is
// Missing when the text does not give it.
platform::ProcessorFacts ProcessorOfCpuinfo(std::string_view cpuinfo);

// Whole megahertz of cpufreq's maximum, given in kHz.
platform::FactReading MegahertzOfCpufreq(std::string_view kilohertz);

// The 32 hexadecimal digits of a machine-id(5) text.
platform::FactReading MachineIdOfText(std::string_view text);

// Needs both MemTotal and MemAvailable.
std::optional<platform::MemoryStatus> MemInfoOfText(std::string_view meminfo);

// The "cpu" line (idle = idle + iowait) and the number of "cpuN" lines after it.
std::optional<platform::CpuTimes> ProcStatOfText(std::string_view stat);
