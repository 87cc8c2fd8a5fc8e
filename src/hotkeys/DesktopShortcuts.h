// The three keys as shortcuts the desktop holds for the program.
#pragma once

#include "platform/ControlChannel.h"
#include "platform/GlobalShortcuts.h"

#include <string_view>
#include <vector>

// The ids are the names of the program's outside actions.
inline constexpr std::string_view StopAlarmShortcut =
    platform::ControlActionName(platform::ControlAction::StopAlarm);
inline constexpr std::string_view PenguinShortcut =
    platform::ControlActionName(platform::ControlAction::Penguin);
inline constexpr std::string_view BlankShortcut = platform::ControlActionName(platform::ControlAction::Blank);

// Each with its first-choice combination.
std::vector<platform::GlobalShortcuts::Wanted> DesktopShortcuts();
