#include "alarms/AlarmDueTest.h"

#include <array>
#include <chrono>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <vector>

namespace {

using namespace std::chrono;
using WallTime = sys_time<milliseconds>;

platform::LocalTime localTime(WallTime wall) {
    const sys_days day = floor<days>(wall);
    const year_month_day date{day};
    const hh_mm_ss<milliseconds> clock{wall - day};
    return {static_cast<int>(date.year()),
            static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day())),
            static_cast<int>(clock.hours().count()),
            static_cast<int>(clock.minutes().count()),
            static_cast<int>(clock.seconds().count()),
            static_cast<int>(clock.subseconds().count())};
}

// The local time of a zone `offsetHours` ahead of UTC.
platform::LocalTime zoned(WallTime utc, int offsetHours) {
    platform::LocalTime time = localTime(utc + hours{offsetHours});
    time.utcOffsetSeconds = offsetHours * 3600;
    return time;
}

WallTime at(int day, int hour, int minute, int second = 0, int millisecond = 0) {
    return WallTime{sys_days{year{2026} / December / 1} + days{day - 1} + hours{hour} + minutes{minute} +
                    seconds{second} + milliseconds{millisecond}};
}

struct Row {
    bool on;
    int hour;
    int minute;
};

// The rows of the table, ticked as the clock tick does; records every ring with the time it happened.
class Alarms {
public:
    std::array<Row, AlarmRowCount + 1> rows{}; // index 0 unused
    struct Ring {
        int row;
        platform::LocalTime when;
    };
    std::vector<Ring> rings;

    void tick(WallTime wall) { tick(localTime(wall)); }
    void tick(const platform::LocalTime& now) {
        for (int row = 1; row <= AlarmRowCount; ++row)
            if (due_.takeDue(row, rows[row].on, rows[row].hour, rows[row].minute, now))
                rings.push_back({row, now});
    }
    std::vector<int> ringsOf(int row) const {
        std::vector<int> days;
        for (const Ring& ring : rings)
            if (ring.row == row)
                days.push_back(ring.when.day);
        return days;
    }

private:
    AlarmDueTest due_;
};

TEST(AlarmDueTest, EachRowRingsOnceADayInItsMinuteOverAWeekOfIrregularTicks) {
    Alarms alarms;
    alarms.rows[1] = {true, 0, 0};
    alarms.rows[2] = {true, 7, 30};
    alarms.rows[3] = {true, 7, 30}; // same minute as row 2: both ring
    alarms.rows[4] = {true, 23, 59};
    alarms.rows[5] = {false, 12, 0};
    alarms.rows[6] = {true, 12, 0};
    alarms.rows[17] = {true, 18, 45};

    // Ticks about a second apart, sometimes late, sometimes two in one second, and now and then held up
    // for a few seconds (so second 0 of a minute may have no tick at all).
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> percent(0, 99);
    std::uniform_int_distribution<int> jitter(-40, 150);
    std::uniform_int_distribution<int> heldMs(2000, 4200);
    int secondZeroMissed = 0;
    int doubleTicks = 0;
    int previousSecond = -1;
    for (WallTime wall = at(1, 0, 0, 0, 5) - seconds{1}; wall < at(8, 0, 0);) {
        const platform::LocalTime now = localTime(wall);
        if (previousSecond == 59 && now.second != 0)
            ++secondZeroMissed;
        previousSecond = now.second;
        alarms.tick(now);
        const int dice = percent(random);
        if (dice < 3) {
            alarms.tick(wall + milliseconds{1}); // a second tick within the same second
            ++doubleTicks;
            wall += milliseconds{1000};
        } else if (dice < 5) {
            wall += milliseconds{heldMs(random)};
        } else {
            wall += milliseconds{1000 + jitter(random)};
        }
    }
    ASSERT_GT(secondZeroMissed, 500); // the run really skipped the start of many minutes
    ASSERT_GT(doubleTicks, 1000);

    const std::vector<int> everyDay{1, 2, 3, 4, 5, 6, 7};
    for (int row : {1, 2, 3, 4, 6, 17}) {
        SCOPED_TRACE(row);
        EXPECT_EQ(alarms.ringsOf(row), everyDay);
    }
    EXPECT_TRUE(alarms.ringsOf(5).empty());
    for (const auto& ring : alarms.rings) {
        EXPECT_EQ(ring.when.hour, alarms.rows[ring.row].hour);
        EXPECT_EQ(ring.when.minute, alarms.rows[ring.row].minute);
    }
}

TEST(AlarmDueTest, RingsWhenItsMinuteBeginsWhileTheClockRunsNotOnAStartInsideIt) {
    Alarms started;
    started.rows[1] = {true, 7, 30};
    started.tick(at(1, 7, 30, 20));
    started.tick(at(1, 7, 30, 21));
    Alarms restarted; // the program started again in the same minute
    restarted.rows[1] = {true, 7, 30};
    restarted.tick(at(1, 7, 30, 40));
    EXPECT_TRUE(started.rings.empty());
    EXPECT_TRUE(restarted.rings.empty());

    Alarms running;
    running.rows[1] = {true, 7, 30};
    running.rows[2] = {true, 7, 35};
    running.tick(at(1, 7, 29, 59));
    running.tick(at(1, 7, 30, 0));
    running.tick(at(1, 7, 30, 1));
    // A time server steps the clock forward from 07:31 into 07:35: no minute began while it ran.
    running.tick(at(1, 7, 31, 0));
    running.tick(at(1, 7, 35, 20));
    EXPECT_EQ(running.ringsOf(1), std::vector<int>{1});
    EXPECT_TRUE(running.ringsOf(2).empty());
}

TEST(AlarmDueTest, AClockSetBackAnHourDoesNotRingTheSameMinuteAgain) {
    Alarms alarms;
    alarms.rows[2] = {true, 7, 30};
    alarms.rows[3] = {true, 7, 50};
    WallTime wall = at(1, 7, 29, 0);
    for (; wall < at(1, 8, 10, 0); wall += seconds{1})
        alarms.tick(wall);
    // Someone sets the clock back from 08:10 to 07:10; the next hour is lived through a second time.
    for (wall = at(1, 7, 10, 0); wall < at(1, 8, 10, 0); wall += seconds{1})
        alarms.tick(wall);
    EXPECT_EQ(alarms.ringsOf(2), std::vector<int>{1});
    EXPECT_EQ(alarms.ringsOf(3), std::vector<int>{1});
    alarms.tick(at(2, 7, 29, 59));
    alarms.tick(at(2, 7, 30, 0));
    EXPECT_EQ(alarms.ringsOf(2), (std::vector<int>{1, 2}));
}

TEST(AlarmDueTest, TheHourRepeatedWhenDaylightSavingEndsRingsOnce) {
    Alarms alarms;
    alarms.rows[5] = {true, 2, 30};
    // Local time runs 02:00..02:59:59 twice on the same date.
    for (int pass = 0; pass < 2; ++pass)
        for (WallTime wall = at(1, 2, 0, 0); wall < at(1, 3, 0, 0); wall += seconds{1})
            alarms.tick(wall);
    EXPECT_EQ(alarms.ringsOf(5), std::vector<int>{1});
}

TEST(AlarmDueTest, DaylightSavingChangesRingARowOnceAtItsLocalMinute) {
    // As in Berlin, at 01:00 UTC: 02:00 winter time becomes 03:00 in spring, and 03:00 summer time
    // becomes 02:00 in autumn.
    Alarms spring;
    Alarms autumn;
    spring.rows[1] = {true, 3, 0};
    autumn.rows[1] = {true, 2, 0};
    for (WallTime utc = at(1, 0, 0, 0) - minutes{1}; utc < at(1, 1, 10, 0); utc += seconds{1}) {
        const bool changed = utc >= at(1, 1, 0, 0);
        spring.tick(zoned(utc, changed ? 2 : 1));
        autumn.tick(zoned(utc, changed ? 1 : 2));
    }
    EXPECT_EQ(spring.ringsOf(1), std::vector<int>{1});
    EXPECT_EQ(autumn.ringsOf(1), std::vector<int>{1}) << "02:00 summer time only";
}

TEST(AlarmDueTest, AMinuteSleptThroughIsNotRungLate) {
    Alarms alarms;
    alarms.rows[1] = {true, 7, 30};
    alarms.rows[2] = {true, 7, 31};
    alarms.tick(at(1, 7, 29, 58));
    alarms.tick(at(1, 7, 31, 20)); // suspended from 07:29:58 to 07:31:20
    alarms.tick(at(1, 7, 31, 21));
    alarms.tick(at(1, 7, 32, 0));
    EXPECT_TRUE(alarms.ringsOf(1).empty());
    EXPECT_TRUE(alarms.ringsOf(2).empty()); // woke inside its minute, which began in the sleep
    alarms.tick(at(2, 7, 29, 40));
    alarms.tick(at(2, 7, 31, 1)); // suspended from 07:29:40 to 07:31:01, which began in the sleep
    EXPECT_TRUE(alarms.ringsOf(2).empty());
    alarms.tick(at(3, 7, 29, 40));
    alarms.tick(at(3, 7, 30, 41)); // woke late, but the clock ran in the minute before
    EXPECT_EQ(alarms.ringsOf(1), std::vector<int>{3});
}

TEST(AlarmDueTest, ARowChangedToAnotherMinuteRingsAtItsNewTime) {
    Alarms alarms;
    alarms.rows[4] = {true, 9, 0};
    for (WallTime wall = at(1, 8, 59, 59); wall <= at(1, 9, 10, 0); wall += seconds{1}) {
        if (wall == at(1, 9, 1, 0))
            alarms.rows[4] = {true, 9, 5};
        if (wall == at(1, 9, 6, 0))
            alarms.rows[4] = {false, 9, 10};
        alarms.tick(wall);
    }
    ASSERT_EQ(alarms.rings.size(), 2u);
    EXPECT_EQ(alarms.rings[1].when.minute, 5);
}

} // namespace
