#include "settings/ProfileStorage.h"

#include "base/DialtopError.h"
#include "platform/linux/FileDescriptor.h"
#include "platform/linux/FileReplacement.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool absolute(const std::string& path) {
    return path.starts_with('/');
}

// The file's bytes, of a file beyond MaxProfileBytes only the first MaxProfileBytes + 1; empty when there
// is no file; nothing when it is there but cannot be read.
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
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            return bytes;
        bytes.append(buffer, static_cast<std::size_t>(got));
        if (bytes.size() > MaxProfileBytes) {
            bytes.resize(MaxProfileBytes + 1);
            return bytes;
        }
    }
}

bool tooLarge(std::string_view bytes) {
    const auto lineEnds = static_cast<std::size_t>(std::ranges::count(bytes, '\n'));
    const std::size_t lines = lineEnds + (bytes.empty() || bytes.ends_with('\n') ? 0 : 1);
    return bytes.size() > MaxProfileBytes || lines > MaxProfileLines;
}

} // namespace

LoadedProfile LoadProfileFile(const std::string& path) {
    const std::optional<std::string> bytes = readBytes(path);
    if (!bytes)
        return {};
    if (tooLarge(*bytes))
        return {ProfileFile(), true};
    return {ProfileFile::parse(*bytes), false};
}

void UpdateProfileFile(const std::string& path, const std::function<void(ProfileFile&)>& edit) {
    const std::string refused = "Unable to write to " + path;
    const std::optional<std::string> target = absolute(path) ? OwnLinkTarget(path) : std::nullopt;
    const std::optional<std::string> old = target ? readBytes(*target) : std::nullopt;
    // A file that cannot be read would lose every line of its own if it were rewritten.
    if (!old || tooLarge(*old))
        throw DialtopError(refused);
    ProfileFile profile = ProfileFile::parse(*old);
    edit(profile);
    if (!ReplaceFile(*target, profile.bytes()))
        throw DialtopError(refused);
}
