// The three keys as shortcuts the desktop holds for the program.
#pragma once

#include "platform/GlobalShortcuts.h"

#include <string_view>
#include <vector>

// The ids are the names of the program's outside actions.
inline constexpr std::string_view StopAlarmShortcut = "stop-alarm";
inline constexpr std::string_view PenguinShortcut = "penguin";
inline constexpr std::string_view BlankShortcut = "blank";

// Each with its first-choice combination.
std::vector<platform::GlobalShortcuts::Wanted> DesktopShortcuts();
