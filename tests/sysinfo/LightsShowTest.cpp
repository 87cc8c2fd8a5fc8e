#include "sysinfo/LightsShow.h"

#include "platform/fake/FakeSysinfo.h"

#include <gtest/gtest.h>
#include <random>

namespace {

using platform::LockKey;

TEST(LightsShow, RoundNumbersPickCapsNumAndScrollByThirds) {
    fake::LockLights lights;
    TLightsShow show(lights);
    show.start();
    for (int number : {0, 33, 34, 66, 67, 98})
        show.round(number);
    EXPECT_EQ(lights.toggles, (std::vector<LockKey>{LockKey::Caps, LockKey::Caps, LockKey::Num, LockKey::Num,
                                                    LockKey::Scroll, LockKey::Scroll}));
}

TEST(LightsShow, PlaysThirtyOneRoundsAndEndsWithEveryLightAsItBegan) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> number(0, TLightsShow::Choices - 1);
    for (int run = 0; run < 50; ++run) {
        fake::LockLights lights;
        lights.on[LockKey::Num] = true;
        lights.on[LockKey::Scroll] = run % 2 == 0;
        const auto before = lights.on;
        TLightsShow show(lights);
        show.start();
        int rounds = 1;
        while (show.round(number(random)))
            ++rounds;
        EXPECT_EQ(rounds, TLightsShow::Rounds);
        EXPECT_FALSE(show.running());
        EXPECT_EQ(lights.on, before);
        EXPECT_GE(lights.toggles.size(), std::size_t(TLightsShow::Rounds));
        EXPECT_FALSE(show.round(0)); // an ended show changes nothing more
        EXPECT_EQ(lights.on, before);
    }
}

} // namespace
