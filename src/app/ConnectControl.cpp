// The actions another program asks of the running clock: the keys' commands, the tray's way back, Exit.
#include "app/DialtopProgram.h"
#include "clock/formDialtop.h"
#include "platform/ControlChannel.h"
#include "ui/Guarded.h"

using platform::ControlAction;

void DialtopProgram::connectControl() {
    services_.control.serve(Guarded([this](ControlAction action) {
        switch (action) {
        case ControlAction::StopAlarm:
            return stopAlarm();
        case ControlAction::Penguin:
            return showPenguin(0);
        case ControlAction::Blank:
            return blankScreen(0);
        case ControlAction::Show:
            // Restored from the tray or the taskbar, and in front.
            return dialform_->MinimizeAndRestore();
        case ControlAction::Exit:
            return dialform_->menuExitClick();
        }
    }));
}
