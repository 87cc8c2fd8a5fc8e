// The global keys' presses and captions, and the clock's own penguin key.
#include "alarms/frmalarmU.h"
#include "app/DialtopProgram.h"
#include "clock/formDialtop.h"
#include "fullscreen/frmSleepU.h"
#include "fullscreen/frmroseU.h"
#include "hotkeys/HotKeyPlan.h"
#include "sysinfo/frmAboutU.h"
#include "ui/Guarded.h"

void DialtopProgram::connectHotKeys() {
    frmalarm_->setStopAlarmCaption(hotKeys_->stopAlarmCaption());
    frmabout_->setPenguinKeyCaption(hotKeys_->penguinKeyCaption());
    QObject::connect(hotKeys_.get(), &HotKeyPlan::captionsChanged, frmalarm_.get(), Guarded([this] {
                         frmalarm_->setStopAlarmCaption(hotKeys_->stopAlarmCaption());
                         frmabout_->setPenguinKeyCaption(hotKeys_->penguinKeyCaption());
                     }));

    Tfrmalarm* alarm = frmalarm_.get();
    QObject::connect(hotKeys_.get(), &HotKeyPlan::stopAlarmPressed, alarm, Guarded([alarm] {
                         try {
                             alarm->stalMouseUp(Qt::LeftButton, {}, 0, 0);
                         } catch (...) {
                             // Stopping an alarm by keyboard never troubles the user.
                         }
                     }));

    Tfrmrose* penguin = frmrose_.get();
    QObject::connect(hotKeys_.get(), &HotKeyPlan::penguinPressed, penguin,
                     Guarded([penguin](std::uint32_t time) { penguin->coverScreen(time); }));
    QObject::connect(dialform_.get(), &Tdialform::penguinRequested, penguin,
                     Guarded([penguin] { penguin->coverScreen(0); }));

    TfrmSleep* blank = frmSleep_.get();
    QObject::connect(hotKeys_.get(), &HotKeyPlan::blankScreenPressed, blank,
                     Guarded([blank](std::uint32_t time) { blank->coverScreen(time); }));
}
