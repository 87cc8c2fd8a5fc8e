#pragma once

#include "settings/ProfileFile.h"

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

// Applies edit to the file as it stands and puts the result in its place in one step (ReplaceFile),
// keeping its permission bits, so the file is always either the old one or the new one. A symbolic link
// of the user's own stays a link: the file it points to is the one replaced. Throws DialtopError
// "Unable to write to <path>" when the file is there but cannot be read or is beyond the bounds, a link
// belongs to another user (OwnLinkTarget) or the folder refuses the new file; the old file is then left
// as it was and no temporary file remains.
void UpdateProfileFile(const std::string& path, const std::function<void(ProfileFile&)>& edit);
