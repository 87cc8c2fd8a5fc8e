#pragma once

#include "platform/LocalClock.h"
#include "platform/PowerActions.h"
#include "platform/TimeFormatSource.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

// What an armed or idle schedule drives: the two countdown timers, the clock's colour and the
// information window's due-time lines. Colours are 0xRRGGBB.
class ScheduleDisplay {
public:
    virtual ~ScheduleDisplay() = default;
    // Sets the interval and enables the countdown, restarting its period now even when it ran already.
    virtual void startCountdown(platform::PowerAction action, std::uint32_t intervalMs) = 0;
    virtual void stopCountdown(platform::PowerAction action) = 0;
    virtual void setClockColour(std::uint32_t rgb) = 0;
    virtual void setDueText(platform::PowerAction action, const std::string& text) = 0;
};

// The shutdown and reboot countdowns: at most one armed at a time, re-armed on every choice, and
// once running out asking the system again at every interval until a request is accepted.
class Scheduler {
public:
    static constexpr std::uint32_t ScheduleIdleColour = 0xE4C156;
    static constexpr std::uint32_t ArmedGrey = 0x808080;
    static constexpr std::uint32_t CustomRebootWhite = 0xFFFFFF;
    // The delay of "Now!".
    static constexpr std::uint32_t NowIntervalMs = 100;
    // The longest custom delay whose milliseconds fit a signed 32-bit interval.
    static constexpr std::int64_t MaxCustomSeconds = 2147483;
    static inline const std::string NotScheduled = "Not Scheduled";

    // `format` is read at every arming, so a changed time format applies to the next due time.
    Scheduler(ScheduleDisplay& display, platform::PowerActions& actions, const platform::LocalClock& clock,
              const platform::TimeFormat& format);

    // Arms the shutdown after `delayMs` (never negative), disarming a pending reboot.
    void ScheduleShutdown(std::int32_t delayMs);
    // Arms `action` to be requested 100 ms from now, disarming the other.
    void Now(platform::PowerAction action);
    // Arms `action` after the composed delay, given as the dialog's three field texts. Throws DialtopError
    // for a text that is no whole number or a total beyond MaxCustomSeconds, after the other countdown
    // has been disarmed and before this one is touched.
    void Custom(platform::PowerAction action, const std::string& hours, const std::string& minutes,
                const std::string& seconds);
    // Disarms `action`; the colour goes back to idle even while the other countdown stays armed.
    void Abort(platform::PowerAction action);
    // The countdown of `action` ran out (again).
    void CountdownFired(platform::PowerAction action);

private:
    struct Countdown {
        // Counts armings, so an answer to an earlier arming's request is not taken for this one.
        std::uint64_t arming = 0;
        bool accepted = false;
    };

    void Disarm(platform::PowerAction action);
    void Arm(platform::PowerAction action, std::uint32_t intervalMs, std::int64_t dueSeconds,
             std::uint32_t colour);
    Countdown& countdown(platform::PowerAction action);

    ScheduleDisplay& display_;
    platform::PowerActions& actions_;
    const platform::LocalClock& clock_;
    const platform::TimeFormat& format_;
    std::array<Countdown, 2> countdowns_;
    // Answers that arrive after the scheduler is gone are dropped.
    std::shared_ptr<Scheduler*> self_ = std::make_shared<Scheduler*>(this);
};
