#pragma once

#include "clock/ProfileFile.h"

#include <functional>
#include <string>

// The settings file on disk. Only an absolute path names a file: the current directory plays no part.

// The file as it stands; empty when there is none or it cannot be read (a directory, a device, a file
// beyond MaxProfileBytes), so that bad input only ever brings the defaults.
ProfileFile LoadProfileFile(const std::string& path);

// Applies edit to the file as it stands and puts the result in its place in one step (ReplaceFile),
// keeping its permission bits, so the file is always either the old one or the new one. A symbolic link
// of the user's own stays a link: the file it points to is the one replaced. Throws DialtopError
// "Unable to write to <path>" when the file is there but cannot be read, a link belongs to another user
// (OwnLinkTarget) or the folder refuses the new file; the old file is then left as it was and no
// temporary file remains.
void UpdateProfileFile(const std::string& path, const std::function<void(ProfileFile&)>& edit);

// Larger files are no settings file; reading them would only cost memory.
inline constexpr std::size_t MaxProfileBytes = 64 * 1024 * 1024;
