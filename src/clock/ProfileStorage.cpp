#include "clock/ProfileStorage.h"

#include "clock/DialtopError.h"
#include "platform/linux/FileDescriptor.h"
#include "platform/linux/FileReplacement.h"

#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool absolute(const std::string& path) {
    return path.starts_with('/');
}

// The file's bytes; empty when there is no file; nothing when it is there but cannot be read.
std::optional<std::string> readBytes(const std::string& path) {
    if (!absolute(path))
        return std::string();
    // Non-blocking, so that a FIFO in the file's place cannot hold the program at open.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!file.valid()) {
        if (errno == ENOENT || errno == ENOTDIR)
            return std::string();
        return std::nullopt;
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 || bytes.size() + static_cast<std::size_t>(got) > MaxProfileBytes)
            return std::nullopt;
        if (got == 0)
            return bytes;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

} // namespace

ProfileFile LoadProfileFile(const std::string& path) {
    return ProfileFile::parse(readBytes(path).value_or(std::string()));
}

void UpdateProfileFile(const std::string& path, const std::function<void(ProfileFile&)>& edit) {
    const std::string refused = "Unable to write to " + path;
    const std::optional<std::string> target = absolute(path) ? OwnLinkTarget(path) : std::nullopt;
    const std::optional<std::string> old = target ? readBytes(*target) : std::nullopt;
    // A file that cannot be read would lose every line of its own if it were rewritten.
    if (!old)
        throw DialtopError(refused);
    ProfileFile profile = ProfileFile::parse(*old);
    edit(profile);
    if (!ReplaceFile(*target, profile.bytes()))
        throw DialtopError(refused);
}
