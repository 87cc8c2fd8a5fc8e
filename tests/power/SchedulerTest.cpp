#include "power/Scheduler.h"

#include "base/DialtopError.h"
#include "platform/fake/FakeServices.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

using platform::PowerAction;
using Calls = std::vector<std::string>;

namespace {

// Every output as one line, in the order the scheduler produced it.
class RecordingDisplay : public ScheduleDisplay {
public:
    Calls calls;

    void startCountdown(PowerAction action, std::uint32_t intervalMs) override {
        calls.push_back("start " + name(action) + " " + std::to_string(intervalMs));
    }
    void stopCountdown(PowerAction action) override { calls.push_back("stop " + name(action)); }
    void setClockColour(std::uint32_t rgb) override { calls.push_back("colour " + std::to_string(rgb)); }
    void setDueText(PowerAction action, const std::string& text) override {
        calls.push_back("due " + name(action) + " " + text);
    }
    Calls take() { return std::exchange(calls, {}); }

private:
    static std::string name(PowerAction action) { return action == PowerAction::PowerOff ? "off" : "reboot"; }
};

const std::string Grey = "colour " + std::to_string(0x808080);
const std::string White = "colour " + std::to_string(0xFFFFFF);
const std::string Amber = "colour " + std::to_string(0xE4C156);

class SchedulerTest : public testing::Test {
protected:
    void SetUp() override { clock.set(14, 5, 0); }

    fake::Clock clock;
    platform::TimeFormat format{false, false, true, ":", "AM", "PM"};
    RecordingDisplay display;
    fake::PowerActions actions;
    Scheduler scheduler{display, actions, clock, format};
};

TEST_F(SchedulerTest, EachArmingDisarmsTheOtherKindAndRestartsItsOwn) {
    scheduler.Now(PowerAction::Reboot);
    EXPECT_EQ(display.take(),
              (Calls{"stop off", "due off Not Scheduled", "start reboot 100", Grey, "due reboot 14:05:00"}));
    scheduler.ScheduleShutdown(600000);
    EXPECT_EQ(display.take(), (Calls{"stop reboot", "due reboot Not Scheduled", "start off 600000", Grey,
                                     "due off 14:15:00"}));
    // The same choice five minutes later: the period restarts and the due time moves on.
    clock.set(14, 10, 0);
    scheduler.ScheduleShutdown(600000);
    EXPECT_EQ(display.calls[2], "start off 600000");
    EXPECT_EQ(display.take()[4], "due off 14:20:00");
    // A time of day of the next day, never a date.
    clock.set(15, 0, 0);
    scheduler.ScheduleShutdown(72000000);
    EXPECT_EQ(display.take()[4], "due off 11:00:00");

    scheduler.Custom(PowerAction::Reboot, "00", "01", "30");
    EXPECT_EQ(display.take(), (Calls{"stop off", "due off Not Scheduled", "start reboot 90000", White,
                                     "due reboot 15:01:30"}));
    scheduler.Custom(PowerAction::PowerOff, "00", "00", "00");
    EXPECT_EQ(display.take(),
              (Calls{"stop reboot", "due reboot Not Scheduled", "start off 0", Grey, "due off 15:00:00"}));
}

TEST_F(SchedulerTest, AbortTouchesOnlyItsOwnKindButAlwaysTurnsTheClockAmber) {
    scheduler.Abort(PowerAction::PowerOff);
    EXPECT_EQ(display.take(), (Calls{"stop off", "due off Not Scheduled", Amber}));
    scheduler.Abort(PowerAction::Reboot);
    EXPECT_EQ(display.take(), (Calls{"stop reboot", "due reboot Not Scheduled", Amber}));
}

TEST_F(SchedulerTest, CustomRefusesWhatDoesNotFitAfterDisarmingTheOther) {
    for (const char* hours : {"596", "2000000"}) {
        try {
            scheduler.Custom(PowerAction::PowerOff, hours, "31", "24");
            ADD_FAILURE() << hours << " hours were accepted";
        } catch (const DialtopError& error) {
            EXPECT_STREQ(error.what(), "Integer overflow");
        }
        EXPECT_EQ(display.take(), (Calls{"stop reboot", "due reboot Not Scheduled"}));
    }
    EXPECT_THROW(scheduler.Custom(PowerAction::PowerOff, "1x", "00", "00"), DialtopError);
    display.take();
    scheduler.Custom(PowerAction::PowerOff, "596", "31", "23");
    EXPECT_EQ(display.calls[2], "start off 2147483000");
}

TEST_F(SchedulerTest, RequestsRepeatUntilOneIsAcceptedThenStopForThatArming) {
    scheduler.Now(PowerAction::PowerOff);
    scheduler.CountdownFired(PowerAction::PowerOff);
    scheduler.CountdownFired(PowerAction::PowerOff); // still unanswered: nothing asked
    ASSERT_EQ(actions.requests, std::vector<PowerAction>{PowerAction::PowerOff});
    actions.answer(false);
    scheduler.CountdownFired(PowerAction::PowerOff);
    EXPECT_EQ(actions.requests.size(), 2u) << "a refused request is not asked again";
    actions.answer(true);
    scheduler.CountdownFired(PowerAction::PowerOff);
    EXPECT_EQ(actions.requests.size(), 2u) << "asked again after the system accepted";

    scheduler.Now(PowerAction::Reboot);
    scheduler.CountdownFired(PowerAction::Reboot);
    EXPECT_EQ(actions.requests.back(), PowerAction::Reboot) << "a new arming asks again";
}

TEST_F(SchedulerTest, AnAcceptanceCountsOnlyForTheArmingThatAsked) {
    scheduler.ScheduleShutdown(10000);
    scheduler.CountdownFired(PowerAction::PowerOff);
    scheduler.ScheduleShutdown(10000);
    actions.answer(true);
    scheduler.CountdownFired(PowerAction::PowerOff);
    EXPECT_EQ(actions.requests.size(), 2u);
}

} // namespace
