#include "app/DialtopProgram.h"

#include "alarms/frmalarmU.h"
#include "clock/formDialtop.h"
#include "clock/frmcountryU.h"
#include "fullscreen/frmSleepU.h"
#include "fullscreen/frmroseU.h"
#include "hotkeys/HotKeyText.h"
#include "power/frmcustskedU.h"
#include "sysinfo/frmAboutU.h"
#include "tweaks/frmTweakU.h"
#include "ui/Guarded.h"

DialtopProgram::DialtopProgram(const platform::Services& services) {
    InitModifierWords();
    // The main window first: it registers the hotkeys whose captions later windows copy.
    new Tdialform(services, forms_, power_);
    tray_ = std::make_unique<ClockTray>(*forms_.dialform, *forms_.dialform->PopupMenu1, services);
    tray_->icon().events().OnClick = Guarded([this] { forms_.dialform->cltrayClick(); });
    forms_.dialform->setTray(*tray_);
    forms_.frmalarm = new Tfrmalarm(services, forms_);
    forms_.frmSleep = new TfrmSleep(services, forms_);
    forms_.frmabout = new Tfrmabout(services, forms_);
    forms_.frmrose = new Tfrmrose(services, forms_);
    forms_.frmcustsked = new Tfrmcustsked(services, forms_);
    forms_.frmcountry = new Tfrmcountry(services, forms_);
    forms_.frmtweak = new Tfrmtweak(services, forms_);
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
