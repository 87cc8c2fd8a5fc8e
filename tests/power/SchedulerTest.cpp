#include "power/Scheduler.h"

#include "clock/DialtopError.h"
#include "platform/fake/FakeServices.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

using platform::PowerAction;

namespace {

// Every output as one line, in the order the scheduler produced it.
class RecordingDisplay : public ScheduleDisplay {
public:
    std::vector<std::string> calls;

    void startCountdown(PowerAction action, std::uint32_t intervalMs) override {
        calls.push_back("start " + name(action) + " " + std::to_string(intervalMs));
    }
    void stopCountdown(PowerAction action) override { calls.push_back("stop " + name(action)); }
    void setClockColour(std::uint32_t rgb) override {
        char text[16];
        std::snprintf(text, sizeof text, "colour %06X", rgb);
        calls.emplace_back(text);
    }
    void setDueText(PowerAction action, const std::string& text) override {
        calls.push_back("due " + name(action) + " " + text);
    }

    std::vector<std::string> take() { return std::exchange(calls, {}); }

private:
    static std::string name(PowerAction action) { return action == PowerAction::PowerOff ? "off" : "reboot"; }
};

class SchedulerTest : public testing::Test {
protected:
    void SetUp() override { clock.set(14, 5, 0); }

    fake::Clock clock;
    platform::TimeFormat format{false, false, true, ":", "AM", "PM"};
    RecordingDisplay display;
    fake::PowerActions actions;
    Scheduler scheduler{display, actions, clock, format};
};

using Calls = std::vector<std::string>;

TEST_F(SchedulerTest, PresetDisarmsTheRebootThenArmsTheShutdownGreyWithItsDueTime) {
    scheduler.ScheduleShutdown(600000);
    EXPECT_EQ(display.take(), (Calls{"stop reboot", "due reboot Not Scheduled", "start off 600000",
                                     "colour 808080", "due off 14:15:00"}));
    EXPECT_EQ(scheduler.state(), Scheduler::State::ShutdownArmed);

    // Again five minutes later: the period restarts and the due time moves on.
    clock.set(14, 10, 0);
    scheduler.ScheduleShutdown(600000);
    EXPECT_EQ(display.take(), (Calls{"stop reboot", "due reboot Not Scheduled", "start off 600000",
                                     "colour 808080", "due off 14:20:00"}));

    // A time of day of the next day, never a date.
    clock.set(15, 0, 0);
    scheduler.ScheduleShutdown(72000000);
    EXPECT_EQ(display.calls.back(), "due off 11:00:00");
}

TEST_F(SchedulerTest, ArmingOneKindDisarmsTheOther) {
    scheduler.Now(PowerAction::Reboot);
    EXPECT_EQ(display.take(), (Calls{"stop off", "due off Not Scheduled", "start reboot 100", "colour 808080",
                                     "due reboot 14:05:00"}));
    EXPECT_EQ(scheduler.state(), Scheduler::State::RebootArmed);

    scheduler.ScheduleShutdown(10000);
    EXPECT_EQ(scheduler.state(), Scheduler::State::ShutdownArmed);
    EXPECT_EQ(display.take()[0], "stop reboot");

    scheduler.Custom(PowerAction::Reboot, "00", "01", "30");
    EXPECT_EQ(display.take(), (Calls{"stop off", "due off Not Scheduled", "start reboot 90000",
                                     "colour FFFFFF", "due reboot 14:06:30"}));
    EXPECT_EQ(scheduler.state(), Scheduler::State::RebootArmed);
}

TEST_F(SchedulerTest, AbortTouchesOnlyItsOwnKindButAlwaysTurnsTheClockIdle) {
    scheduler.Custom(PowerAction::Reboot, "01", "00", "00");
    display.take();
    scheduler.Abort(PowerAction::PowerOff);
    EXPECT_EQ(display.take(), (Calls{"stop off", "due off Not Scheduled", "colour E4C156"}));
    EXPECT_EQ(scheduler.state(), Scheduler::State::RebootArmed);

    scheduler.Abort(PowerAction::Reboot);
    EXPECT_EQ(display.take(), (Calls{"stop reboot", "due reboot Not Scheduled", "colour E4C156"}));
    EXPECT_EQ(scheduler.state(), Scheduler::State::Idle);
}

TEST_F(SchedulerTest, CustomZeroArmsWithIntervalZeroAndTheCurrentTime) {
    scheduler.Custom(PowerAction::PowerOff, "00", "00", "00");
    EXPECT_EQ(display.take(), (Calls{"stop reboot", "due reboot Not Scheduled", "start off 0",
                                     "colour 808080", "due off 14:05:00"}));
    EXPECT_EQ(scheduler.state(), Scheduler::State::ShutdownArmed);
}

TEST_F(SchedulerTest, CustomRefusesWhatDoesNotFitAfterDisarmingTheOther) {
    scheduler.Now(PowerAction::Reboot);
    display.take();
    try {
        scheduler.Custom(PowerAction::PowerOff, "596", "31", "24");
        FAIL() << "2147484 s were accepted";
    } catch (const DialtopError& error) {
        EXPECT_STREQ(error.what(), "Integer overflow");
    }
    EXPECT_EQ(display.take(), (Calls{"stop reboot", "due reboot Not Scheduled"}));
    EXPECT_EQ(scheduler.state(), Scheduler::State::Idle);

    // Hours far beyond 32 bits of milliseconds, but within 32 bits themselves.
    EXPECT_THROW(scheduler.Custom(PowerAction::PowerOff, "2000000", "00", "00"), DialtopError);
    EXPECT_EQ(scheduler.state(), Scheduler::State::Idle);

    EXPECT_THROW(scheduler.Custom(PowerAction::PowerOff, "1x", "00", "00"), DialtopError);

    display.take();
    scheduler.Custom(PowerAction::PowerOff, "596", "31", "23");
    EXPECT_EQ(display.calls[2], "start off 2147483000");
}

TEST_F(SchedulerTest, RequestsRepeatUntilOneIsAcceptedAndThenStopForThatArming) {
    scheduler.Now(PowerAction::PowerOff);
    scheduler.CountdownFired(PowerAction::PowerOff);
    // Still unanswered: the next firing asks nothing.
    scheduler.CountdownFired(PowerAction::PowerOff);
    ASSERT_EQ(actions.requests, std::vector<PowerAction>{PowerAction::PowerOff});
    actions.answer(false);
    scheduler.CountdownFired(PowerAction::PowerOff);
    EXPECT_EQ(actions.requests.size(), 2u) << "a refused request is asked again";
    actions.answer(true);
    scheduler.CountdownFired(PowerAction::PowerOff);
    scheduler.CountdownFired(PowerAction::PowerOff);
    EXPECT_EQ(actions.requests.size(), 2u) << "asked again after the system accepted";
    EXPECT_EQ(scheduler.state(), Scheduler::State::ShutdownArmed);

    // A new arming asks again.
    scheduler.Now(PowerAction::Reboot);
    scheduler.CountdownFired(PowerAction::Reboot);
    EXPECT_EQ(actions.requests.back(), PowerAction::Reboot);
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
