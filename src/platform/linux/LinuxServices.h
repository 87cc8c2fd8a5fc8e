#pragma once

#include "platform/Services.h"
#include "platform/linux/FileTweakRegistry.h"
#include "platform/linux/GstMediaPlayer.h"
#include "platform/linux/GstTones.h"
#include "platform/linux/LinuxLiveReadings.h"
#include "platform/linux/LinuxLocalClock.h"
#include "platform/linux/LinuxSystemFacts.h"
#include "platform/linux/LocaleTimeFormat.h"
#include "platform/linux/LoggedPowerActions.h"
#include "platform/linux/ProcSelfExe.h"
#include "platform/linux/QtDialogs.h"
#include "platform/linux/QtFileDialog.h"
#include "platform/linux/QtNotificationArea.h"
#include "platform/linux/SysfsPowerSource.h"
#include "platform/linux/TrayHostPresence.h"
#include "platform/linux/X11WindowSystem.h"
#include "platform/linux/XcbHotKeyService.h"
#include "platform/linux/XdgAutostart.h"
#include "platform/linux/XkbLockLights.h"

#include <cstdlib>
#include <string>

// The real services of a Linux desktop, owned for the whole run.
class LinuxServices {
public:
    platform::Services services() {
        return {clock_,   timeFormat_, power_,         taskbar_, tones_,      dialogs_,
                windows_, hotKeys_,    process_,       facts_,   live_,       lockLights_,
                tray_,    registry_,   *powerActions_, media_,   fileDialog_, autostart_};
    }

private:
    // DIALTOP_AUDIO_SINK, a GStreamer sink description such as "fakesink sync=true", replaces the sound
    // output, for tests and machines without sound.
    static std::string audioSink() {
        const char* sink = std::getenv("DIALTOP_AUDIO_SINK");
        return sink && *sink ? sink : "autoaudiosink";
    }

    const std::string audioSink_ = audioSink();
    LinuxLocalClock clock_;
    LocaleTimeFormat timeFormat_;
    SysfsPowerSource power_;
    // Made by the taskbar's presence once a tray host is there.
    QtNotificationArea tray_;
    TrayHostPresence taskbar_{tray_};
    GstTones tones_{audioSink_};
    QtDialogs dialogs_;
    X11WindowSystem windows_;
    XcbHotKeyService hotKeys_;
    ProcSelfExe process_;
    LinuxSystemFacts facts_;
    LinuxLiveReadings live_;
    XkbLockLights lockLights_;
    FileTweakRegistry registry_;
    std::unique_ptr<platform::PowerActions> powerActions_ = ChoosePowerActions();
    GstMediaPlayer media_{audioSink_};
    QtFileDialog fileDialog_;
    XdgAutostart autostart_;
};
