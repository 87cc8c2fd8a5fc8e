#pragma once

namespace platform {

class Autostart;
class ControlChannel;
class Dialogs;
class FileDialog;
class GlobalShortcuts;
class HotKeyService;
class LiveReadings;
class LocalClock;
class LockLights;
class MediaPlayer;
class NotificationArea;
class PowerActions;
class PowerSource;
class ProcessInfo;
class SystemFacts;
class TaskbarPresence;
class TimeFormatSource;
class Tones;
class TweakRegistry;
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
    GlobalShortcuts& shortcuts;
    ProcessInfo& process;
    SystemFacts& facts;
    LiveReadings& live;
    LockLights& lockLights;
    NotificationArea& tray;
    TweakRegistry& registry;
    PowerActions& powerActions;
    MediaPlayer& media;
    FileDialog& fileDialog;
    Autostart& autostart;
    ControlChannel& control;
};

} // namespace platform
