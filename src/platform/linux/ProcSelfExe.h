#pragma once

#include "platform/ProcessInfo.h"

// The executable's path from /proc/self/exe; the configuration folder from the XDG base directories.
class ProcSelfExe : public platform::ProcessInfo {
public:
    std::string executablePath() const override;
    std::string configHome() const override;
};
