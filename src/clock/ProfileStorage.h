#pragma once

#include "clock/ProfileFile.h"

#include <functional>
#include <string>

// The settings file on disk. Only an absolute path names a file: the current directory plays no part.

// The file as it stands; empty when there is none or it cannot be read (a directory, a device, a file
// beyond MaxProfileBytes), so that bad input only ever brings the defaults.
ProfileFile LoadProfileFile(const std::string& path);

// Applies edit to the file as it stands and puts the result in its place in one step: a temporary file
// in the same folder is written, flushed to disk and renamed over the old one, keeping its permission
// bits, so the file is always either the old one or the new one. A symbolic link stays a link: the file
// it points to is the one replaced. Temporary files that earlier saves left behind (a crash) are
// removed after a successful save. Throws DialtopError
// "Unable to write to <path>" when the file is there but cannot be read or the folder refuses the
// new one; the old file is then left as it was and no temporary file remains.
void UpdateProfileFile(const std::string& path, const std::function<void(ProfileFile&)>& edit);

// Larger files are no settings file; reading them would only cost memory.
inline constexpr std::size_t MaxProfileBytes = 64 * 1024 * 1024;
