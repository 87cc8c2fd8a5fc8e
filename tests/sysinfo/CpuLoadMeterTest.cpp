#include "sysinfo/CpuLoadMeter.h"

#include "platform/fake/FakeSysinfo.h"
#include "sysinfo/BarLength.h"
#include "sysinfo/ReleaseArea.h"

#include <clocale>
#include <gtest/gtest.h>

namespace {

class CpuLoadMeterTest : public ::testing::Test {
protected:
    // Idle and total ticks of all processors since boot.
    void sample(std::uint64_t idle, std::uint64_t total, unsigned processors = 2) {
        live.times = platform::CpuTimes{processors, idle, total};
    }

    fake::LiveReadings live;
    TCpuLoadMeter meter{live};
};

TEST_F(CpuLoadMeterTest, FirstReadingHasNoResultAndLaterOnesMeasureTheIntervalBetween) {
    sample(8000, 10000);
    EXPECT_EQ(meter.ReadCpuUsage(), "");
    // 400 ticks passed on two processors, 300 of them idle: 25 % busy, plus the half.
    sample(8300, 10400);
    EXPECT_EQ(meter.ReadCpuUsage(), "25.5");
    sample(8300 + 40, 10400 + 400);
    EXPECT_EQ(meter.ReadCpuUsage(), "90.5");
    EXPECT_EQ(CpuPercent("25.5"), 26);
    EXPECT_EQ(CpuPercent("90.5"), 90);
}

TEST_F(CpuLoadMeterTest, FullLoadReads100Point5AndShowsAs100) {
    sample(8000, 10000);
    meter.ReadCpuUsage();
    sample(8000, 10400);
    const std::string text = meter.ReadCpuUsage();
    EXPECT_EQ(text, "100.5");
    EXPECT_EQ(CpuPercent(text), 100);
}

TEST_F(CpuLoadMeterTest, FailedOrEmptyReadingsGiveNoResultAndKeepThePreviousSample) {
    sample(8000, 10000);
    meter.ReadCpuUsage();
    live.times.reset();
    EXPECT_EQ(meter.ReadCpuUsage(), "");
    EXPECT_EQ(CpuPercent(""), 0);
    // The next good reading measures from the last good one.
    sample(8200, 10400);
    EXPECT_EQ(meter.ReadCpuUsage(), "50.5");
    // No time elapsed: no division by zero, no result.
    EXPECT_EQ(meter.ReadCpuUsage(), "");
}

TEST(CpuPercent, RoundsHalvesToEvenAndReadsOtherTextsAsZero) {
    EXPECT_EQ(CpuPercent("0.5"), 0);
    EXPECT_EQ(CpuPercent("1.5"), 2);
    EXPECT_EQ(CpuPercent("37.6"), 38);
    EXPECT_EQ(CpuPercent("-0.4"), 0);
    EXPECT_EQ(CpuPercent("12,5"), 0);
    EXPECT_EQ(CpuPercent("nan"), 0);
    EXPECT_EQ(CpuPercent("1e300"), 0);
}

TEST(BarLength, OnePixelPerPercentAndEmptyWithoutATotal) {
    EXPECT_EQ(BarLength(2048, 8192), 25);
    EXPECT_EQ(BarLength(8192, 8192), 100);
    EXPECT_EQ(BarLength(1, 200), 0); // 0.5 goes to the even 0
    EXPECT_EQ(BarLength(3, 200), 2); // 1.5 goes to the even 2
    EXPECT_EQ(BarLength(0, 0), 0);   // no swap at all
}

TEST(ReleaseArea, IsTheButtonShiftedThreePixelsLeftAndUp) {
    const int width = 73, height = 21;
    EXPECT_TRUE(InReleaseArea(0, 0, width, height));
    EXPECT_TRUE(InReleaseArea(-3, -3, width, height));
    EXPECT_TRUE(InReleaseArea(width - 4, height - 4, width, height));
    EXPECT_FALSE(InReleaseArea(-4, 5, width, height));
    EXPECT_FALSE(InReleaseArea(5, -4, width, height));
    EXPECT_FALSE(InReleaseArea(width - 3, 5, width, height));  // the rightmost 3 pixels
    EXPECT_FALSE(InReleaseArea(5, height - 3, width, height)); // the bottom 3 pixels
}

} // namespace
