#include "clock/SecondAligner.h"

#include <gtest/gtest.h>

namespace {

platform::LocalTime at(int minute, int second, int millisecond, int day = 1) {
    platform::LocalTime time;
    time.day = day;
    time.hour = 7;
    time.minute = minute;
    time.second = second;
    time.millisecond = millisecond;
    return time;
}

TEST(SecondAligner, AimsAtTheNextBoundary) {
    const std::pair<int, int> cases[] = {{0, 1000}, {1, 999}, {2, 998}, {500, 500}, {998, 2}, {999, 1}};
    for (const auto& [millisecond, delay] : cases) {
        EXPECT_EQ(SecondAligner::DelayMs(at(30, 0, millisecond)), delay) << millisecond;
        // Read in whole milliseconds, the time is at most a fraction past `millisecond`: the wait ends
        // on the boundary or within a millisecond after it, never before, and never a second late.
        EXPECT_EQ(millisecond + delay, 1000) << millisecond;
    }
}

TEST(SecondAligner, ATickThatWokeBeforeItsSecondIsAimedAgainAndClaimsItOnce) {
    SecondAligner aligner;
    EXPECT_TRUE(aligner.Claim(at(30, 0, 0)));
    // Woken a fraction early, still in the old second: nothing to claim, and the next aim is short.
    const platform::LocalTime early = at(30, 0, 999);
    EXPECT_FALSE(aligner.Claim(early));
    EXPECT_EQ(SecondAligner::DelayMs(early), 1);
    EXPECT_TRUE(aligner.Claim(at(30, 1, 0)));
    EXPECT_FALSE(aligner.Claim(at(30, 1, 1)));
}

TEST(SecondAligner, EachSecondIsClaimedOnce) {
    SecondAligner aligner;
    EXPECT_TRUE(aligner.Claim(at(29, 59, 3)));
    EXPECT_FALSE(aligner.Claim(at(29, 59, 998))) << "a timer that woke early stays in the same second";
    EXPECT_TRUE(aligner.Claim(at(30, 0, 2)));
    EXPECT_FALSE(aligner.Claim(at(30, 0, 400)));
    EXPECT_TRUE(aligner.Claim(at(30, 1, 3)));
    EXPECT_TRUE(aligner.Claim(at(30, 1, 3, 2))) << "the same time on the next day is a new second";
    EXPECT_TRUE(aligner.Claim(at(29, 0, 3, 2))) << "a clock set back ticks at once";
}

} // namespace
