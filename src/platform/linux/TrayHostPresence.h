#pragma once

#include "platform/TaskbarPresence.h"

// On X11 the taskbar of the program is the system tray host.
class TrayHostPresence : public platform::TaskbarPresence {
public:
    bool isTaskbarThere() const override;
};
