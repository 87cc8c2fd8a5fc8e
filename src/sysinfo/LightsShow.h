#pragma once

#include <array>

namespace platform {
class LockLights;
}

// The keyboard-lights show: 31 rounds, each toggling the lock key a random number picks; afterwards
// every key toggled an odd number of times is toggled once more, so all end as they began. A show
// stopped or destroyed before its last round ends the same way, so the user's next typing is unchanged.
class TLightsShow {
public:
    static constexpr int Rounds = 31;
    static constexpr int Choices = 99; // a round's number is 0..98

    explicit TLightsShow(platform::LockLights& lights) : lights_(lights) {}
    ~TLightsShow() { stop(); }
    TLightsShow(const TLightsShow&) = delete;
    TLightsShow& operator=(const TLightsShow&) = delete;

    void start();
    // Plays the round picked by `number`; after the last round it restores the keys and returns false.
    bool round(int number);
    // Ends a running show at once, restoring the keys.
    void stop();
    bool running() const { return roundsLeft_ > 0; }

private:
    void restoreKeys();

    platform::LockLights& lights_;
    std::array<int, 3> toggles_{};
    int roundsLeft_ = 0;
};
