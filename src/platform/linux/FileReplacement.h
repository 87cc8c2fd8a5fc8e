#pragma once

#include <optional>
#include <string>
#include <sys/types.h>
#include <unistd.h>

// Replacing a file of the user's in one step, for every file the program writes.

// Flushes a file to disk as ::fsync does; tests stand in a disk that fails.
using SyncFile = int (*)(int fd);

struct Replacement {
    // The new file's permission bits; without them it keeps those of the old file.
    std::optional<mode_t> mode;
    SyncFile sync = ::fsync;
};

// The file a chain of symbolic links at path ends at (which need not exist yet), so that a save replaces
// it and not the link. Nothing when a link of the chain belongs to another user than the one running
// the program, or the existing file it ends at does (root excepted, who may keep another user's file
// through a link of its own): another user's link may have been planted to have a file of the user's
// overwritten. A path that is no link is itself. A loop, or a link that cannot be read, gives nothing.
std::optional<std::string> OwnLinkTarget(std::string path);

// Puts bytes in the place of the file at path (through OwnLinkTarget) in one step: a temporary file in
// the same folder is written, flushed to disk and renamed over the old one, so the file is always either
// the old one or the new one; as root, the old file's owner and group are kept. Temporary files that
// earlier replacements left behind (a crash) are removed after a successful one. False, with the old
// file left as it was and no temporary file remaining, when any step fails or the link is refused.
bool ReplaceFile(const std::string& path, const std::string& bytes, const Replacement& how = {});
