// The windows the clock opens: the information window, the tweak editor, the custom schedule dialog,
// and the way back from the full screens.
#include "app/DialtopProgram.h"
#include "clock/formDialtop.h"
#include "fullscreen/frmSleepU.h"
#include "fullscreen/frmroseU.h"
#include "platform/Dialogs.h"
#include "power/Scheduler.h"
#include "power/frmcustskedU.h"
#include "sysinfo/frmAboutU.h"
#include "tweaks/frmTweakU.h"
#include "ui/Guarded.h"

using platform::PowerAction;

namespace {

// Where the clock is on the desktop, as it places the dialogs it opens below itself.
QRect ClockPlace(const Tdialform& clock) {
    return {clock.x(), clock.y(), clock.width(), clock.height()};
}

// Right edges aligned, the top just below the clock.
void RunCustomSchedule(const QRect& clock, Tfrmcustsked& dialog, platform::Dialogs& dialogs,
                       Scheduler& scheduler, PowerAction action) {
    dialog.resize(100, dialog.height());
    dialog.ActionWord =
        action == PowerAction::PowerOff ? QStringLiteral("Shutdown") : QStringLiteral("Reboot");
    dialog.move(clock.x() + clock.width() - dialog.width(), clock.y() + clock.height());
    if (dialogs.runModal(dialog) != QDialog::Accepted)
        return;
    const Tfrmcustsked::Delay delay = dialog.ChosenDelay();
    scheduler.Custom(action, delay.hours, delay.minutes, delay.seconds);
}

// 540 wide, right edges aligned, the top just below the clock.
void RunTweakEditor(const QRect& clock, Tfrmtweak& tweak, platform::Dialogs& dialogs) {
    tweak.resize(540, tweak.height());
    tweak.move(clock.x() - (540 - clock.width()), clock.y() + clock.height());
    dialogs.runModal(tweak);
}

} // namespace

void DialtopProgram::connectWindows() {
    Tdialform* clock = dialform_.get();

    Tfrmabout* about = frmabout_.get();
    QObject::connect(clock, &Tdialform::aboutRequested, about, Guarded([about] { about->ShowUnrolling(); }));

    QObject::connect(clock, &Tdialform::tweakEditorRequested, frmtweak_.get(), Guarded([this, clock] {
                         RunTweakEditor(ClockPlace(*clock), *frmtweak_, services_.dialogs);
                     }));

    QObject::connect(clock, &Tdialform::customScheduleRequested, frmcustsked_.get(),
                     Guarded([this, clock](PowerAction action) {
                         RunCustomSchedule(ClockPlace(*clock), *frmcustsked_, services_.dialogs, *scheduler_,
                                           action);
                     }));

    // Leaving a full screen brings the program to the front again.
    QObject::connect(frmSleep_.get(), &TfrmSleep::left, clock,
                     Guarded([clock] { clock->MinimizeAndRestore(); }));
    QObject::connect(frmrose_.get(), &Tfrmrose::keyPressed, clock,
                     Guarded([clock] { clock->MinimizeAndRestore(); }));
}
