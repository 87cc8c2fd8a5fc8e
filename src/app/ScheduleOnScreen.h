#pragma once

#include "power/Scheduler.h"

class Tdialform;
class Tfrmabout;

// What the scheduler drives on screen: the clock's two countdowns and colour, and the information
// window's due-time lines, written whether that window is shown or not.
class ScheduleOnScreen : public ScheduleDisplay {
public:
    ScheduleOnScreen(Tdialform& clock, Tfrmabout& about) : clock_(clock), about_(about) {}

    void startCountdown(platform::PowerAction action, std::uint32_t intervalMs) override;
    void stopCountdown(platform::PowerAction action) override;
    void setClockColour(std::uint32_t rgb) override;
    void setDueText(platform::PowerAction action, const std::string& text) override;

private:
    Tdialform& clock_;
    Tfrmabout& about_;
};
