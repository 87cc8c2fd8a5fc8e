#include "power/Scheduler.h"

#include "base/Conversions.h"
#include "base/DateHelpers.h"
#include "base/DialtopError.h"
#include "base/TimeText.h"

using platform::PowerAction;

namespace {

PowerAction other(PowerAction action) {
    return action == PowerAction::PowerOff ? PowerAction::Reboot : PowerAction::PowerOff;
}

} // namespace

Scheduler::Scheduler(ScheduleDisplay& display, platform::PowerActions& actions,
                     const platform::LocalClock& clock, const platform::TimeFormat& format)
    : display_(display), actions_(actions), clock_(clock), format_(format) {}

Scheduler::Countdown& Scheduler::countdown(PowerAction action) {
    return countdowns_[action == PowerAction::PowerOff ? 0 : 1];
}

void Scheduler::ScheduleShutdown(std::int32_t delayMs) {
    Disarm(PowerAction::Reboot);
    Arm(PowerAction::PowerOff, static_cast<std::uint32_t>(delayMs), delayMs / 1000, ArmedGrey);
}

void Scheduler::Now(PowerAction action) {
    Disarm(other(action));
    Arm(action, NowIntervalMs, 0, ArmedGrey);
}

void Scheduler::Custom(PowerAction action, const std::string& hours, const std::string& minutes,
                       const std::string& seconds) {
    Disarm(other(action));
    const std::int64_t total =
        StrToInt(hours) * std::int64_t{3600} + StrToInt(minutes) * std::int64_t{60} + StrToInt(seconds);
    if (total > MaxCustomSeconds)
        throw DialtopError("Integer overflow");
    Arm(action, static_cast<std::uint32_t>(total * 1000), total,
        action == PowerAction::PowerOff ? ArmedGrey : CustomRebootWhite);
}

void Scheduler::Abort(PowerAction action) {
    Disarm(action);
    display_.setClockColour(ScheduleIdleColour);
}

void Scheduler::CountdownFired(PowerAction action) {
    Countdown& fired = countdown(action);
    // Once the system has accepted, asking again would only hurt an orderly shutdown.
    if (fired.accepted)
        return;
    actions_.request(action,
                     [self = std::weak_ptr<Scheduler*>(self_), action, arming = fired.arming](bool accepted) {
                         const auto scheduler = self.lock();
                         if (!scheduler || !accepted)
                             return;
                         Countdown& answered = (*scheduler)->countdown(action);
                         if (answered.arming == arming)
                             answered.accepted = true;
                     });
}

void Scheduler::Disarm(PowerAction action) {
    display_.stopCountdown(action);
    display_.setDueText(action, NotScheduled);
}

void Scheduler::Arm(PowerAction action, std::uint32_t intervalMs, std::int64_t dueSeconds,
                    std::uint32_t colour) {
    Countdown& armed = countdown(action);
    ++armed.arming;
    armed.accepted = false;
    display_.startCountdown(action, intervalMs);
    display_.setClockColour(colour);
    display_.setDueText(action, TimeText(AddSeconds(clock_.now(), dueSeconds), format_));
}
