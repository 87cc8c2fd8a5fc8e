#include "base/TimeText.h"

#include "base/DateHelpers.h"

#include <gtest/gtest.h>

namespace {

LocalTime at(int hour, int minute, int second) {
    LocalTime time;
    time.hour = hour;
    time.minute = minute;
    time.second = second;
    return time;
}

struct TimeTextCase {
    const char* name;
    TimeFormat format;
    int hour, minute, second;
    const char* expected;
};

const TimeFormat H24{false, false, true, ":", "AM", "PM"};
const TimeFormat H24NoZero{false, false, false, ":", "AM", "PM"};
const TimeFormat H12{true, false, false, ":", "PM-is-not-used", "PM"};
const TimeFormat H12Zero{true, false, true, ":", "AM", "PM"};
const TimeFormat H12Before{true, true, false, ":", "AM", "PM"};
const TimeFormat Dots{false, false, true, ".", "", ""};
const TimeFormat Unreadable{};

TEST(TimeText, FollowsTheUsersFormat) {
    const TimeTextCase cases[] = {
        {"24-hour", H24, 14, 5, 0, "14:05:00"},
        {"24-hour early", H24, 7, 3, 9, "07:03:09"},
        {"24-hour midnight", H24, 0, 0, 0, "00:00:00"},
        {"24-hour without zero", H24NoZero, 7, 3, 9, "7:03:09"},
        {"12-hour afternoon", H12, 14, 5, 9, "2:05:09 PM"},
        {"12-hour noon is PM", H12, 12, 0, 0, "12:00:00 PM"},
        {"12-hour midnight is 12", H12Zero, 0, 15, 0, "12:15:00 AM"},
        {"12-hour with zero", H12Zero, 14, 5, 9, "02:05:09 PM"},
        {"12-hour 23h", H12Zero, 23, 59, 59, "11:59:59 PM"},
        {"marker before", H12Before, 9, 30, 0, "AM 9:30:00"},
        {"other separator", Dots, 14, 5, 0, "14.05.00"},
        {"defaults when unreadable", Unreadable, 14, 5, 0, "2:05:00 pm"},
        {"defaults in the morning", Unreadable, 1, 2, 3, "1:02:03 am"},
    };
    for (const TimeTextCase& c : cases)
        EXPECT_EQ(TimeText(at(c.hour, c.minute, c.second), c.format), c.expected) << c.name;
}

TEST(AddMinutes, WrapsPastMidnightBothWays) {
    struct Case {
        int hour, minute;
        long long minutes;
        int expectedHour, expectedMinute;
    };
    const Case cases[] = {
        {23, 30, 60, 0, 30},          {0, 30, -90, 23, 0},
        {1, 0, -120, 23, 0},          {14, 5, 0, 14, 5},
        {14, 5, 1440, 14, 5},         {14, 5, -1440, 14, 5},
        {14, 5, 2 * 1440 + 1, 14, 6}, {0, 0, -1, 23, 59},
        {12, 0, 2147483647LL, 14, 7}, {12, 0, -2147483648LL, 9, 52},
    };
    for (const Case& c : cases) {
        const LocalTime result = AddMinutes(at(c.hour, c.minute, 42), c.minutes);
        EXPECT_EQ(result.hour, c.expectedHour) << c.hour << ":" << c.minute << " + " << c.minutes;
        EXPECT_EQ(result.minute, c.expectedMinute) << c.hour << ":" << c.minute << " + " << c.minutes;
        EXPECT_EQ(result.second, 42);
    }
}

TEST(AddSeconds, CarriesIntoMinutesAndHours) {
    EXPECT_EQ(TimeText(AddSeconds(at(15, 0, 0), 20 * 3600), H24), "11:00:00");
    EXPECT_EQ(TimeText(AddSeconds(at(23, 59, 59), 1), H24), "00:00:00");
    EXPECT_EQ(TimeText(AddSeconds(at(14, 5, 0), 30), H24), "14:05:30");
}

} // namespace
