#pragma once

#include "clock/ProfileFile.h"

#include <functional>
#include <string>

// The settings file on disk. Only an absolute path names a file: the current directory plays no part.

// A settings file is a few KB. A file beyond these bounds is no settings file of ours: it is neither read
// nor ever rewritten, so that it cannot cost the program memory and time, nor lose its lines to a save.
inline constexpr std::size_t MaxProfileBytes = 1024 * 1024;
inline constexpr std::size_t MaxProfileLines = 10'000;

struct LoadedProfile {
    ProfileFile file;
    bool tooLarge = false; // the file is there but beyond the bounds; file is then empty
};

// The file as it stands; empty when there is none or it cannot be read (a directory, a device, a file
// beyond the bounds), so that bad input only ever brings the defaults.
LoadedProfile LoadProfileFile(const std::string& path);

// Applies edit to the file as it stands and puts the result in its place in one step: a temporary file
// in the same folder is written, flushed to disk and renamed over the old one, keeping its permission
// bits, so the file is always either the old one or the new one. A symbolic link stays a link: the file
// it points to is the one replaced. Temporary files that earlier saves left behind (a crash) are
// removed after a successful save. Throws DialtopError
// "Unable to write to <path>" when the file is there but cannot be read or the folder refuses the
// new one, or when the file is beyond the bounds; the old file is then left as it was and no temporary
// file remains.
void UpdateProfileFile(const std::string& path, const std::function<void(ProfileFile&)>& edit);
