#include "sysinfo/UptimeText.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint64_t Second = 1000, Minute = 60 * Second, Hour = 60 * Minute, Day = 24 * Hour;

TEST(UptimeText, WordsArePluralOnlyAboveOneAndDaysShowOnlyOnceThereAreAny) {
    EXPECT_EQ(UptimeText(0), "00 hour, 00 min, 00 sec");
    EXPECT_EQ(UptimeText(Hour + Minute + Second), "01 hour, 01 min, 01 sec");
    EXPECT_EQ(UptimeText(5 * Minute + Second + 999), "00 hour, 05 mins, 01 sec");
    EXPECT_EQ(UptimeText(2 * Day + 2 * Minute), "02 days, 00 hour, 02 mins, 00 sec");
    EXPECT_EQ(UptimeText(20 * Day + 3 * Hour), "20 days, 03 hours, 00 min, 00 sec");
    EXPECT_EQ(UptimeText(Day + 23 * Hour + 59 * Minute + 59 * Second), "01 day, 23 hours, 59 mins, 59 secs");
}

TEST(UptimeText, KeepsCountingPastTheThirtyTwoBitMillisecondLimit) {
    // 2^32 ms is 49 days 17:02:47.296; a 32-bit counter would start again from zero there.
    EXPECT_EQ(UptimeText(4294967296ULL), "49 days, 17 hours, 02 mins, 47 secs");
    EXPECT_EQ(UptimeText(400 * Day + 10 * Hour), "400 days, 10 hours, 00 min, 00 sec");
}

} // namespace
