#pragma once

#include <cstdint>
#include <functional>

namespace platform {

// Modifier flags of a system-wide key combination.
enum HotKeyModifier : unsigned { ModAlt = 1, ModCtrl = 2, ModShift = 4, ModWin = 8 };

// Holds key combinations for the whole desktop and reports their presses.
class HotKeyService {
public:
    // time is the window system's timestamp of the press, for activating windows on its behalf.
    using PressHandler =
        std::function<void(std::uint16_t id, unsigned modifiers, unsigned virtualKey, std::uint32_t time)>;

    virtual ~HotKeyService() = default;
    // False when the combination is not available (another client holds it, or the key is unknown).
    virtual bool registerHotKey(std::uint16_t id, unsigned modifiers, unsigned virtualKey) = 0;
    virtual bool unregisterHotKey(std::uint16_t id) = 0;
    virtual void setPressHandler(PressHandler handler) = 0;
};

} // namespace platform
