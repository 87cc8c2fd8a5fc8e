#include "clock/BatteryWatch.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct Fields {
    int PreviousPercent = 0;
    int LastPercent = 0;
    int TicksSinceDrop = 0;
    bool Warned5 = false;
    bool Warned3 = false;
};

PowerSample sample(int percent, const std::string& ac = AcOffLineText) {
    PowerSample power;
    power.BatteryPercent = percent;
    power.ACStatusText = ac;
    return power;
}

class BatteryWatchLogic : public testing::Test {
protected:
    // One tick's warning steps in their order; the warnings raised, as "5" and "3".
    std::string warningsAt(const PowerSample& power) {
        std::string raised;
        if (watch.TakeFivePercentWarning(power))
            raised += "5";
        watch.RearmFivePercentWarning(power);
        if (watch.TakeThreePercentWarning(power))
            raised += "3";
        watch.RearmThreePercentWarning(power);
        return raised;
    }

    // Ticks on battery; the last estimate text given, or "" when none changed.
    std::string onBattery(int percent, int ticks = 1) {
        std::string text;
        for (int i = 0; i < ticks; ++i) {
            if (const auto estimate = watch.TickOnBattery(sample(percent)))
                text = *estimate;
        }
        return text;
    }

    Fields fields;
    BatteryWatch watch{
        {fields.PreviousPercent, fields.LastPercent, fields.TicksSinceDrop, fields.Warned5, fields.Warned3}};
};

TEST_F(BatteryWatchLogic, EachWarningIsDueOnceUntilTheChargeClimbsBack) {
    const std::vector<std::pair<int, std::string>> discharge = {
        {6, ""},  {5, "5"}, {5, ""}, {4, ""},  {3, "3"},  {1, ""},  {4, ""},
        {3, "3"}, {5, ""},  {6, ""}, {5, "5"}, {255, ""}, {4, "5"},
    };
    for (const auto& [percent, expected] : discharge)
        EXPECT_EQ(warningsAt(sample(percent)), expected) << "at " << percent << "%";

    fields = {};
    EXPECT_EQ(warningsAt(sample(2, AcOnLineText)), "") << "none on mains power";
    EXPECT_EQ(warningsAt(sample(2, AcUnknownText)), "3") << "only on-line counts as mains power";
}

TEST_F(BatteryWatchLogic, EstimatesFromTheTicksBetweenDrops) {
    EXPECT_EQ(onBattery(50), "TTL = #") << "first tick on battery";
    EXPECT_EQ(onBattery(50, 59), "");
    EXPECT_EQ(onBattery(49), "TTL = 46:00") << "60 ticks for the last percent, 46 percents to go";
    EXPECT_EQ(fields.TicksSinceDrop, 1);
    EXPECT_EQ(onBattery(48, 2), "TTL = 00:45") << "one tick for the last percent";

    watch.TickOnMains();
    EXPECT_EQ(onBattery(48), "TTL = #") << "counting starts afresh after mains power";
    EXPECT_EQ(onBattery(47), "TTL = 00:44");

    EXPECT_EQ(BatteryWatch::EstimateText(-2), "TTL = 00:-02");
    EXPECT_EQ(BatteryWatch::EstimateText(94 * 360), "TTL = 564:00");
}

} // namespace
