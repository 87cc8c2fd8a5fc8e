#pragma once

#include "platform/Autostart.h"

// The login start through a desktop entry in the user's XDG autostart folder
// ($XDG_CONFIG_HOME/autostart, by default ~/.config/autostart), which desktops following the XDG
// autostart rules run at log-in. The folder and its file are looked up at every call.
class XdgAutostart : public platform::Autostart {
public:
    std::optional<bool> isRegistered() const override;
    void registerExecutable(const std::string& executable) override;
    void unregister() override;
};
