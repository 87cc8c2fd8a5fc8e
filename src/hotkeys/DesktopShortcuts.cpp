#include "hotkeys/DesktopShortcuts.h"

#include <string>

std::vector<platform::GlobalShortcuts::Wanted> DesktopShortcuts() {
    // Triggers in the freedesktop shortcuts syntax: modifier names, then the key's keysym name.
    return {
        {std::string(StopAlarmShortcut), "Stop the ringing alarm", "CTRL+F1"},
        {std::string(PenguinShortcut), "Show the penguin", "CTRL+ALT+r"},
        {std::string(BlankShortcut), "Blank the screen", "CTRL+SHIFT+F1"},
    };
}
