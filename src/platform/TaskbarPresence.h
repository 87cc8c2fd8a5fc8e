#pragma once

namespace platform {

// Whether the desktop's taskbar is there; on X11 that is a system tray host.
class TaskbarPresence {
public:
    virtual ~TaskbarPresence() = default;
    virtual bool isTaskbarThere() const = 0;
};

} // namespace platform
