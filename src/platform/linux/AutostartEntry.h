#pragma once

#include <string>
#include <string_view>

// The text of the login-start desktop entry, written and read apart from its file so that any text
// can be tried on it; XdgAutostart keeps the file.

// Whether a path can be written as the entry's command: the entry format has no way to hold a line
// break, and a removed binary cannot be started.
bool IsWritableExecutable(std::string_view executable);

// The entry that starts the executable, quoted and escaped by the desktop entry rules.
std::string AutostartEntryText(std::string_view executable);

// Whether the entry's main group holds one of the keys by which desktops switch an entry off while
// keeping its file.
bool IsSwitchedOff(std::string_view entry);
