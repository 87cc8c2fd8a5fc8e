#pragma once

#include <optional>
#include <string>

namespace platform {

// Whether the program is started when the user logs in.
class Autostart {
public:
    virtual ~Autostart() = default;
    // Whether the program is registered; nullopt when there is no place to look (nothing can be said).
    virtual std::optional<bool> isRegistered() const = 0;
    // Registers the executable at this full path. Does nothing when no place for the entry can be made;
    // throws DialtopError "Failed to set data for '<entry>'" when the entry cannot be written.
    virtual void registerExecutable(const std::string& executable) = 0;
    // Removes the registration; nothing happens when there is none.
    virtual void unregister() = 0;
};

} // namespace platform
