#pragma once

namespace platform {

class Autostart;
class Dialogs;
class HotKeyService;
class LocalClock;
class PowerSource;
class ProcessInfo;
class TaskbarPresence;
class TimeFormatSource;
class Tones;
class WindowSystem;

// The operating-system services, handed to the windows at the composition root.
struct Services {
    LocalClock& clock;
    TimeFormatSource& timeFormat;
    PowerSource& power;
    TaskbarPresence& taskbar;
    Tones& tones;
    Dialogs& dialogs;
    WindowSystem& windows;
    HotKeyService& hotKeys;
    ProcessInfo& process;
    Autostart& autostart;
};

} // namespace platform
