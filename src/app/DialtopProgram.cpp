#include "app/DialtopProgram.h"

#include "alarms/frmalarmU.h"
#include "clock/formDialtop.h"
#include "clock/frmcountryU.h"
#include "fullscreen/frmSleepU.h"
#include "fullscreen/frmroseU.h"
#include "hotkeys/HotKeyText.h"
#include "platform/ProcessInfo.h"
#include "power/frmcustskedU.h"
#include "settings/SettingsLocation.h"
#include "sysinfo/frmAboutU.h"
#include "tweaks/frmTweakU.h"

namespace {

// settings.ini beside the executable, or in the user's configuration folder when the executable's folder
// cannot be written.
std::string SettingsPath(const platform::Services& services) {
    return SettingsFilePath(services.process.executablePath(), services.process.configHome());
}

} // namespace

DialtopProgram::DialtopProgram(const platform::Services& services)
    : services_(services), settings_(SettingsPath(services)), ringer_(services, settings_) {
    InitModifierWords();
    // The main window first: it registers the hotkeys whose captions later windows copy.
    new Tdialform(services, forms_, power_, settings_);
    forms_.frmalarm = new Tfrmalarm(services, settings_, ringer_);
    forms_.frmSleep = new TfrmSleep(services, forms_);
    forms_.frmabout = new Tfrmabout(services, forms_);
    forms_.frmrose = new Tfrmrose(services, forms_);
    forms_.frmcustsked = new Tfrmcustsked(services, forms_);
    forms_.frmcountry = new Tfrmcountry(services, settings_);
    forms_.frmtweak = new Tfrmtweak(services, forms_);
    connectAlarms();
}

DialtopProgram::~DialtopProgram() {
    delete forms_.frmtweak;
    delete forms_.frmcountry;
    delete forms_.frmcustsked;
    delete forms_.frmrose;
    delete forms_.frmabout;
    delete forms_.frmSleep;
    delete forms_.frmalarm;
    delete forms_.dialform;
    ClearModifierWords();
}
