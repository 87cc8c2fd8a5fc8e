#include "clock/PowerStatus.h"

#include <gtest/gtest.h>

namespace {

class ScriptedSource : public platform::PowerSource {
public:
    std::optional<platform::PowerStatus> next;
    std::optional<platform::PowerStatus> query() const override { return next; }
};

TEST(ReadPowerStatus, NamesTheAcLineStates) {
    struct Case {
        int acLine;
        std::string expected;
    };
    const Case cases[] = {{0, AcOffLineText}, {1, AcOnLineText}, {2, AcBackupText}, {255, AcUnknownText}};
    for (const Case& c : cases) {
        ScriptedSource source;
        source.next = platform::PowerStatus{c.acLine, 50};
        PowerSample sample;
        sample.ReadPowerStatus(source);
        EXPECT_EQ(sample.ACStatusText, c.expected) << c.acLine;
        EXPECT_EQ(sample.BatteryPercent, 50);
    }
}

TEST(ReadPowerStatus, AnUnknownStateOrAFailedQueryKeepsTheLastText) {
    ScriptedSource source;
    PowerSample sample;
    sample.ReadPowerStatus(source);
    EXPECT_EQ(sample.ACStatusText, "");
    EXPECT_EQ(sample.BatteryPercent, platform::NoBatteryReading)
        << "a failed first query is no empty battery";

    source.next = platform::PowerStatus{0, 40};
    sample.ReadPowerStatus(source);
    source.next = platform::PowerStatus{7, 39};
    sample.ReadPowerStatus(source);
    EXPECT_EQ(sample.ACStatusText, AcOffLineText);
    EXPECT_EQ(sample.BatteryPercent, 39);

    source.next.reset();
    sample.ReadPowerStatus(source);
    EXPECT_EQ(sample.ACStatusText, AcOffLineText);
    EXPECT_EQ(sample.BatteryPercent, 39);
}

TEST(ReadPowerStatus, PercentChangedComparesWithTheSampleBefore) {
    ScriptedSource source;
    PowerSample sample;
    const int percents[] = {0, 0, 80, 80, 79, 255, 255};
    const bool changed[] = {false, false, true, false, true, true, false};
    for (int i = 0; i < 7; ++i) {
        source.next = platform::PowerStatus{1, percents[i]};
        sample.ReadPowerStatus(source);
        EXPECT_EQ(sample.PercentChanged, changed[i]) << "sample " << i;
    }
}

} // namespace
