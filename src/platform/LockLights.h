#pragma once

namespace platform {

enum class LockKey { Caps, Num, Scroll };

// The keyboard's lock states and their lights, changed without a key press reaching any program.
class LockLights {
public:
    virtual ~LockLights() = default;
    virtual void toggle(LockKey key) = 0; // takes effect at once
};

} // namespace platform
