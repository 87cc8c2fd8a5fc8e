#include "app/DialtopProgram.h"

#include "alarms/frmalarmU.h"
#include "app/ScheduleOnScreen.h"
#include "clock/formDialtop.h"
#include "clock/frmcountryU.h"
#include "fullscreen/frmSleepU.h"
#include "fullscreen/frmroseU.h"
#include "hotkeys/HotKeyPlan.h"
#include "hotkeys/HotKeyText.h"
#include "platform/ProcessInfo.h"
#include "power/Scheduler.h"
#include "power/frmcustskedU.h"
#include "settings/SettingsLocation.h"
#include "sysinfo/frmAboutU.h"
#include "tweaks/frmTweakU.h"
#include "ui/Guarded.h"

namespace {

// settings.ini beside the executable, or in the user's configuration folder when the executable's folder
// cannot be written.
std::string SettingsPath(const platform::Services& services) {
    return SettingsFilePath(services.process.executablePath(), services.process.configHome());
}

} // namespace

DialtopProgram::KeyWords::KeyWords() {
    InitModifierWords();
}

DialtopProgram::KeyWords::~KeyWords() {
    ClearModifierWords();
}

DialtopProgram::DialtopProgram(const platform::Services& services)
    : services_(services), settings_(SettingsPath(services)), ringer_(services, settings_) {
    // The keys first: their boxes come before the clock shows, and later windows show their captions.
    hotKeys_ = std::make_unique<HotKeyPlan>(services.hotKeys, services.shortcuts, services.dialogs);
    hotKeys_->registerAll();
    dialform_ = std::make_unique<Tdialform>(services, power_, settings_);
    tray_ = std::make_unique<ClockTray>(*dialform_, dialform_->popupMenu(), services);
    tray_->icon().events().OnClick = Guarded([this] { dialform_->cltrayClick(); });
    dialform_->setTray(*tray_);
    frmalarm_ = std::make_unique<Tfrmalarm>(services, settings_, ringer_);
    frmSleep_ = std::make_unique<TfrmSleep>(services);
    frmabout_ = std::make_unique<Tfrmabout>(services);
    frmrose_ = std::make_unique<Tfrmrose>(services);
    frmcustsked_ = std::make_unique<Tfrmcustsked>(services);
    frmcountry_ = std::make_unique<Tfrmcountry>(services, settings_);
    frmtweak_ = std::make_unique<Tfrmtweak>(services);
    // The countdowns' state; it reads the clock's time format at every arming.
    scheduleOnScreen_ = std::make_unique<ScheduleOnScreen>(*dialform_, *frmabout_);
    scheduler_ = std::make_unique<Scheduler>(*scheduleOnScreen_, services.powerActions, services.clock,
                                             dialform_->timeFormat());

    connectAlarms();
    connectHotKeys();
    connectWindows();
    connectSchedule();
    connectControl();
}

DialtopProgram::~DialtopProgram() = default;
