#pragma once

namespace platform {

// Sounds that must never block the interface: calls return at once and tones play one after another.
class Tones {
public:
    virtual ~Tones() = default;
    virtual void tone(int frequencyHz, int durationMs) = 0;
    virtual void defaultBeep() = 0;
    // Silences the default beep: the one playing ends at once and queued ones are dropped; tones play on.
    virtual void stopBeep() = 0;
};

} // namespace platform
