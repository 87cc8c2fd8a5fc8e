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

TEST(SecondAligner, AimsJustPastTheNextBoundary) {
    const std::pair<int, int> cases[] = {{0, 1003}, {2, 1001}, {500, 503}, {997, 6}, {999, 4}};
    for (const auto& [millisecond, delay] : cases) {
        EXPECT_EQ(SecondAligner::DelayMs(at(30, 0, millisecond)), delay) << millisecond;
        // Wherever the wait ends, it is past the boundary and short of the one after.
        const int landing = millisecond + delay;
        EXPECT_GT(landing, 1000);
        EXPECT_LT(landing, 2000);
    }
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
