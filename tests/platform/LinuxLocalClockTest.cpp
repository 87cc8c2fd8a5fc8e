#include "platform/linux/LinuxLocalClock.h"

#include "platform/linux/ZoneWatch.h"

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace {

// Switches the zone the way a changed /etc/localtime looks to glibc: nothing tells the process. The
// process's own TZ is given back afterwards.
class LocalClockZone : public testing::Test {
protected:
    void SetUp() override {
        if (const char* tz = std::getenv("TZ"))
            saved_ = tz;
    }
    void TearDown() override {
        saved_ ? setenv("TZ", saved_->c_str(), 1) : unsetenv("TZ");
        tzset();
    }
    static void switchZone(const char* tz) { setenv("TZ", tz, 1); }

private:
    std::optional<std::string> saved_;
};

TEST_F(LocalClockZone, TheNextReadingIsInTheNewZone) {
    switchZone("UTC0");
    tzset();
    LinuxLocalClock clock;
    const platform::LocalTime utc = clock.now();
    switchZone("<+0530>-5:30");
    const platform::LocalTime india = clock.now();
    const int ahead = ((india.hour - utc.hour) * 60 + india.minute - utc.minute + 24 * 60) % (24 * 60);
    EXPECT_GE(ahead, 330);
    EXPECT_LE(ahead, 331) << "a minute may begin between the readings";
    EXPECT_EQ(india.zoneChanges, utc.zoneChanges + 1);
    EXPECT_EQ(utc.utcOffsetSeconds, 0);
    EXPECT_EQ(india.utcOffsetSeconds, 19800);
}

TEST_F(LocalClockZone, DaylightSavingsOwnChangeIsNoChangeOfZone) {
    ZoneWatch watch;
    switchZone("Europe/Berlin");
    const std::time_t winterTime = 1792890000; // 25 October 2026, 03:00 summer time becomes 02:00
    EXPECT_EQ(watch.localTime(winterTime - 1).tm_hour, 2);
    EXPECT_EQ(watch.localTime(winterTime).tm_hour, 2);
    EXPECT_EQ(watch.changes(), 0);
    switchZone("Europe/London");
    EXPECT_EQ(watch.localTime(winterTime + 1).tm_hour, 1);
    EXPECT_EQ(watch.changes(), 1);
}

} // namespace
