#include "sysinfo/LightsShow.h"

#include "platform/LockLights.h"

using platform::LockKey;

void TLightsShow::start() {
    toggles_ = {};
    roundsLeft_ = Rounds;
}

bool TLightsShow::round(int number) {
    if (!running())
        return false;
    const LockKey key = number < 34 ? LockKey::Caps : number <= 66 ? LockKey::Num : LockKey::Scroll;
    lights_.toggle(key);
    ++toggles_[static_cast<int>(key)];
    if (--roundsLeft_ > 0)
        return true;
    restoreKeys();
    return false;
}

void TLightsShow::stop() {
    if (!running())
        return;
    roundsLeft_ = 0;
    restoreKeys();
}

void TLightsShow::restoreKeys() {
    for (LockKey each : {LockKey::Caps, LockKey::Num, LockKey::Scroll})
        if (toggles_[static_cast<int>(each)] % 2 != 0)
            lights_.toggle(each);
}
