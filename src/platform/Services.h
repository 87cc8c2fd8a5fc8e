#pragma once

namespace platform {

class Dialogs;
class HotKeyService;
class LocalClock;
class PowerActions;
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
    PowerActions& powerActions;
};

} // namespace platform
