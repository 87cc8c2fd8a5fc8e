#pragma once

#include "platform/ProcessInfo.h"

// The executable's path from /proc/self/exe.
class ProcSelfExe : public platform::ProcessInfo {
public:
    std::string executablePath() const override;
};
