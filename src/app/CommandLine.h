#pragma once

#include <optional>

// The commands of `dialtop` that start no clock: --help, --version and --action NAME, which asks the
// running clock over the session bus. None needs a display.
// The exit status when the arguments hold one of them; nothing when the clock is to start, with
// every argument left to Qt.
std::optional<int> RunCommandLine(int argc, char** argv);
