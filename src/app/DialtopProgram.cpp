#include "app/DialtopProgram.h"

#include "alarms/frmalarmU.h"
#include "app/ScheduleOnScreen.h"
#include "clock/formDialtop.h"
#include "clock/frmcountryU.h"
#include "fullscreen/frmSleepU.h"
#include "fullscreen/frmroseU.h"
#include "hotkeys/HotKeyPlan.h"
#include "hotkeys/HotKeyText.h"
#include "power/Scheduler.h"
#include "power/frmcustskedU.h"
#include "sysinfo/frmAboutU.h"
#include "tweaks/frmTweakU.h"
#include "ui/Guarded.h"

DialtopProgram::DialtopProgram(const platform::Services& services) : services_(services) {
    InitModifierWords();
    // The keys first: their boxes come before the clock shows, and later windows show their captions.
    hotKeys_ = std::make_unique<HotKeyPlan>(services.hotKeys, services.dialogs);
    hotKeys_->registerAll();
    new Tdialform(services, forms_, power_);
    tray_ = std::make_unique<ClockTray>(*forms_.dialform, *forms_.dialform->PopupMenu1, services);
    tray_->icon().events().OnClick = Guarded([this] { forms_.dialform->cltrayClick(); });
    forms_.dialform->setTray(*tray_);
    forms_.frmalarm = new Tfrmalarm(services, forms_);
    forms_.frmSleep = new TfrmSleep(services);
    forms_.frmabout = new Tfrmabout(services);
    forms_.frmrose = new Tfrmrose(services);
    forms_.frmcustsked = new Tfrmcustsked(services);
    forms_.frmcountry = new Tfrmcountry(services, forms_);
    forms_.frmtweak = new Tfrmtweak(services);
    // The countdowns' state; it reads the clock's time format at every arming.
    scheduleOnScreen_ = std::make_unique<ScheduleOnScreen>(*forms_.dialform, *forms_.frmabout);
    scheduler_ = std::make_unique<Scheduler>(*scheduleOnScreen_, services.powerActions, services.clock,
                                             forms_.dialform->timeFormat());

    connectHotKeys();
    connectWindows();
    connectSchedule();
}

DialtopProgram::~DialtopProgram() {
    scheduler_.reset();
    scheduleOnScreen_.reset();
    delete forms_.frmtweak;
    delete forms_.frmcountry;
    delete forms_.frmcustsked;
    delete forms_.frmrose;
    delete forms_.frmabout;
    delete forms_.frmSleep;
    delete forms_.frmalarm;
    delete forms_.dialform;
    // The keys are let go last, when no window is left to act on them.
    hotKeys_.reset();
    ClearModifierWords();
}
