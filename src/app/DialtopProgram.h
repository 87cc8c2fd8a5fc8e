#pragma once

#include "app/ClockTray.h"
#include "clock/Forms.h"
#include "clock/PowerStatus.h"

#include <memory>

namespace platform {
struct Services;
}

// Creates the eight windows in their fixed order and keeps them for the whole run.
class DialtopProgram {
public:
    explicit DialtopProgram(const platform::Services& services);
    ~DialtopProgram();

    Forms& forms() { return forms_; }
    TTrayIcon& trayIcon() { return tray_->icon(); }

private:
    PowerSample power_;
    Forms forms_;
    std::unique_ptr<ClockTray> tray_;
};
