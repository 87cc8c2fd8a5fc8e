#pragma once

#include <string>

namespace platform {

class ProcessInfo {
public:
    virtual ~ProcessInfo() = default;
    // Full path of the running executable; empty when it cannot be found.
    virtual std::string executablePath() const = 0;
};

} // namespace platform
