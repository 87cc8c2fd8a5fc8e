// The clock's schedule menus and countdowns, to the scheduler.
#include "app/DialtopProgram.h"
#include "clock/formDialtop.h"
#include "power/Scheduler.h"
#include "ui/Guarded.h"

using platform::PowerAction;

void DialtopProgram::connectSchedule() {
    Tdialform* clock = dialform_.get();
    Scheduler* scheduler = scheduler_.get();
    QObject::connect(clock, &Tdialform::shutdownScheduleRequested, clock, [scheduler](std::int32_t delayMs) {
        RunGuarded([&] { scheduler->ScheduleShutdown(delayMs); });
    });
    QObject::connect(clock, &Tdialform::nowRequested, clock,
                     [scheduler](PowerAction action) { RunGuarded([&] { scheduler->Now(action); }); });
    QObject::connect(clock, &Tdialform::abortRequested, clock,
                     [scheduler](PowerAction action) { RunGuarded([&] { scheduler->Abort(action); }); });
    QObject::connect(clock, &Tdialform::countdownRanOut, clock, [scheduler](PowerAction action) {
        RunGuarded([&] { scheduler->CountdownFired(action); });
    });
}
