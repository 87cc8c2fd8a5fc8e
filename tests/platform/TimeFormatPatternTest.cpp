#include "platform/linux/TimeFormatPattern.h"

#include <gtest/gtest.h>
#include <ostream>

namespace platform {
void PrintTo(const TimeFormat& f, std::ostream* out) {
    *out << "{twelveHour=" << f.twelveHour << " markerBefore=" << f.markerBeforeTime
         << " leadingZero=" << f.hourLeadingZero << " separator='" << f.separator << "' am='" << f.amText
         << "' pm='" << f.pmText << "'}";
}
} // namespace platform

namespace {

struct Case {
    const char* name;
    LocaleTimeStrings strings;
    platform::TimeFormat expected;
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

const platform::TimeFormat Defaults;

platform::TimeFormat twentyFour(bool leadingZero, std::string separator = ":") {
    return {false, false, leadingZero, std::move(separator), "AM", "PM"};
}

platform::TimeFormat twelve(bool markerBefore, bool leadingZero, std::string am = "AM",
                            std::string pm = "PM") {
    return {true, markerBefore, leadingZero, ":", std::move(am), std::move(pm)};
}

class InterpretTimeFormat : public testing::TestWithParam<Case> {};

TEST_P(InterpretTimeFormat, ReadsTheClockSettings) {
    EXPECT_EQ(interpretTimeFormat(GetParam().strings), GetParam().expected);
}

const Case Cases[] = {
    {"TwentyFourHour", {"%H:%M:%S", "%I:%M:%S %p", "AM", "PM"}, twentyFour(true)},
    {"TwelveHourMarkerAfter", {"%I:%M:%S %p", "", "AM", "PM"}, twelve(false, true)},
    {"TwelveHourMarkerBefore", {"%p %I:%M:%S", "", "AM", "PM"}, twelve(true, true)},
    {"SpacePaddedTwelveHour", {"%l:%M:%S %p", "", "AM", "PM"}, twelve(false, false)},
    {"SpacePaddedTwentyFour", {"%k:%M:%S", "", "AM", "PM"}, twentyFour(false)},
    {"UnpaddedFlag", {"%-H:%M:%S", "", "AM", "PM"}, twentyFour(false)},
    {"SpacePadFlag", {"%_I:%M:%S %p", "", "AM", "PM"}, twelve(false, false)},
    {"ZeroPadFlagOnSpacePadded", {"%0k:%M:%S", "", "AM", "PM"}, twentyFour(true)},
    {"DotSeparator", {"%H.%M.%S", "", "AM", "PM"}, twentyFour(true, ".")},
    {"LetterSeparator", {"%Hh%Mm%Ss", "", "AM", "PM"}, twentyFour(true, "h")},
    {"MultiByteSeparator", {"%H時%M分%S秒", "", "午前", "午後"}, {false, false, true, "時", "午前", "午後"}},
    {"AlternativeDigitsModifier", {"%OH:%OM:%OS", "", "AM", "PM"}, twentyFour(true)},
    {"PercentRUsesAmPmFormat", {"%r", "%I:%M:%S %p", "AM", "PM"}, twelve(false, true)},
    {"PercentRWithMarkerFirst", {"%r", "%p%I:%M:%S", "午前", "午後"}, twelve(true, true, "午前", "午後")},
    {"PercentRWithoutAmPmFormat", {"%r", "", "AM", "PM"}, {true, false, false, ":", "AM", "PM"}},
    {"PercentT", {"%T", "", "AM", "PM"}, twentyFour(true)},
    {"PercentRInsideText", {"[%R]", "", "AM", "PM"}, twentyFour(true)},
    {"LowerCaseMarker", {"%I:%M:%S %P", "", "AM", "PM"}, twelve(false, true, "am", "pm")},
    {"TwelveHourWithoutMarker", {"%I:%M:%S", "", "AM", "PM"}, twelve(false, true)},
    {"TwentyFourIgnoresMarker", {"%p %H:%M:%S", "", "AM", "PM"}, twentyFour(true)},
    {"EmptyMarkerTexts", {"%I:%M:%S %p", "", "", ""}, twelve(false, true, "am", "pm")},
    {"HourWithoutMinutes", {"%H heures", "", "AM", "PM"}, twentyFour(true)},
    {"HourThenMarker", {"%I%p", "", "AM", "PM"}, twelve(false, true)},
    {"EscapedPercent", {"%%H:%M", "", "AM", "PM"}, {true, false, false, ":", "AM", "PM"}},
    {"Garbage", {"time: ???", "garbage", "x", "y"}, {true, false, false, ":", "x", "y"}},
    {"TrailingPercent", {"%", "", "AM", "PM"}, {true, false, false, ":", "AM", "PM"}},
    {"Empty", {"", "", "", ""}, Defaults},
};

INSTANTIATE_TEST_SUITE_P(Patterns, InterpretTimeFormat, testing::ValuesIn(Cases),
                         [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

} // namespace
