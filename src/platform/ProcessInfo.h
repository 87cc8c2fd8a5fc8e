#pragma once

#include <string>

namespace platform {

class ProcessInfo {
public:
    virtual ~ProcessInfo() = default;
    // Full path of the running executable; empty when it cannot be found.
    virtual std::string executablePath() const = 0;
    // The user's configuration folder ($XDG_CONFIG_HOME, else ~/.config); empty when neither is known.
    virtual std::string configHome() const = 0;
};

} // namespace platform
