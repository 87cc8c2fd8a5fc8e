// The clock's schedule menus and countdowns, to the scheduler.
#include "app/DialtopProgram.h"
#include "clock/formDialtop.h"
#include "power/Scheduler.h"
#include "ui/Guarded.h"

using platform::PowerAction;

void DialtopProgram::connectSchedule() {
    Tdialform* clock = dialform_.get();
    Scheduler* scheduler = scheduler_.get();
    QObject::connect(clock, &Tdialform::shutdownScheduleRequested, clock,
                     Guarded([scheduler](std::int32_t delayMs) { scheduler->ScheduleShutdown(delayMs); }));
    QObject::connect(clock, &Tdialform::nowRequested, clock,
                     Guarded([scheduler](PowerAction action) { scheduler->Now(action); }));
    QObject::connect(clock, &Tdialform::abortRequested, clock,
                     Guarded([scheduler](PowerAction action) { scheduler->Abort(action); }));
    QObject::connect(clock, &Tdialform::countdownRanOut, clock,
                     Guarded([scheduler](PowerAction action) { scheduler->CountdownFired(action); }));
}
