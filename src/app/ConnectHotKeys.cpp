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

    QObject::connect(hotKeys_.get(), &HotKeyPlan::stopAlarmPressed, frmalarm_.get(),
                     Guarded([this] { stopAlarm(); }));
    QObject::connect(hotKeys_.get(), &HotKeyPlan::penguinPressed, frmrose_.get(),
                     Guarded([this](std::uint32_t time) { showPenguin(time); }));
    QObject::connect(dialform_.get(), &Tdialform::penguinRequested, frmrose_.get(),
                     Guarded([this] { showPenguin(0); }));
    QObject::connect(hotKeys_.get(), &HotKeyPlan::blankScreenPressed, frmSleep_.get(),
                     Guarded([this](std::uint32_t time) { blankScreen(time); }));
}

void DialtopProgram::stopAlarm() {
    try {
        frmalarm_->stalMouseUp(Qt::LeftButton, {}, 0, 0);
    } catch (...) {
        // Stopping an alarm by keyboard never troubles the user.
    }
}

void DialtopProgram::showPenguin(std::uint32_t time) {
    frmrose_->coverScreen(time);
}

void DialtopProgram::blankScreen(std::uint32_t time) {
    frmSleep_->coverScreen(time);
}
