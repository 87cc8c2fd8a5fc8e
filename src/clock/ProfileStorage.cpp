#include "clock/ProfileStorage.h"

#include "clock/DialtopError.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

// Closes the descriptor on every way out.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closing can report a failed write-back, so its result counts.
    bool close() { return ::close(std::exchange(fd_, -1)) == 0; }

private:
    int fd_;
};

bool absolute(const std::string& path) {
    return path.starts_with('/');
}

// The file's bytes, of a file beyond MaxProfileBytes only the first MaxProfileBytes + 1; empty when there
// is no file; nothing when it is there but cannot be read.
std::optional<std::string> readBytes(const std::string& path) {
    if (!absolute(path))
        return std::string();
    // Non-blocking, so that a FIFO in the file's place cannot hold the program at open.
    Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
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

bool writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return false;
        done += static_cast<std::size_t>(wrote);
    }
    return true;
}

std::string temporaryPrefix(const std::string& name) {
    return "." + name + ".";
}

// A fresh file beside the target; O_EXCL so that a leftover or a concurrent save is never reused.
Descriptor createTemporary(const std::string& folder, const std::string& name, std::string& temporary) {
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary =
            folder + temporaryPrefix(name) + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return Descriptor(fd);
    }
    return Descriptor(-1);
}

// The file a chain of symbolic links ends at (which need not exist yet), so that a save replaces it
// and not the link. A loop is left unresolved: writing it then fails, as it should.
std::string linkTarget(std::string path) {
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return path;
        std::string target(static_cast<std::size_t>(info.st_size) + 1, '\0');
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
        if (length < 0 || static_cast<std::size_t>(length) >= target.size())
            return path;
        target.resize(static_cast<std::size_t>(length));
        path = target.starts_with('/') ? target : path.substr(0, path.rfind('/') + 1) + target;
    }
    return path;
}

// The process whose save left a temporary file; 0 when the name is not one of ours.
pid_t temporaryOwner(std::string_view entry, const std::string& prefix) {
    if (!entry.starts_with(prefix))
        return 0;
    entry.remove_prefix(prefix.size());
    const std::size_t dash = entry.find('-');
    const auto digits = [](std::string_view text) {
        return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
    };
    // At most nine digits, well inside a pid_t.
    if (dash == std::string_view::npos || dash > 9 || !digits(entry.substr(0, dash)) ||
        !digits(entry.substr(dash + 1)))
        return 0;
    return static_cast<pid_t>(std::stol(std::string(entry.substr(0, dash))));
}

// Temporary files of saves that never finished (a crash, a power cut): ours, or of a process that is
// gone. Another running copy's save in progress is left alone.
void removeStaleTemporaries(const std::string& folder, const std::string& name) {
    const std::string prefix = temporaryPrefix(name);
    DIR* directory = ::opendir(folder.c_str());
    if (!directory)
        return;
    while (const dirent* entry = ::readdir(directory)) {
        const pid_t owner = temporaryOwner(entry->d_name, prefix);
        if (owner > 0 && (owner == ::getpid() || (::kill(owner, 0) != 0 && errno == ESRCH)))
            ::unlinkat(::dirfd(directory), entry->d_name, 0);
    }
    ::closedir(directory);
}

bool replaceFile(const std::string& path, const std::string& bytes) {
    const std::size_t slash = path.rfind('/');
    const std::string folder = path.substr(0, slash + 1);
    std::string temporary;
    Descriptor file = createTemporary(folder, path.substr(slash + 1), temporary);
    if (!file.valid())
        return false;

    struct stat old {};
    const bool keepsMode = ::stat(path.c_str(), &old) != 0 || ::fchmod(file.get(), old.st_mode & 07777) == 0;
    if (!keepsMode || !writeAll(file.get(), bytes) || ::fsync(file.get()) != 0 || !file.close() ||
        ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }

    // Makes the rename itself durable; some file systems cannot sync a folder, and the file is in place.
    Descriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.valid())
        ::fsync(directory.get());
    removeStaleTemporaries(folder, path.substr(slash + 1));
    return true;
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
    const std::string target = absolute(path) ? linkTarget(path) : path;
    const std::optional<std::string> old = absolute(target) ? readBytes(target) : std::nullopt;
    // A file that cannot be read would lose every line of its own if it were rewritten.
    if (!old || tooLarge(*old))
        throw DialtopError(refused);
    ProfileFile profile = ProfileFile::parse(*old);
    edit(profile);
    if (!replaceFile(target, profile.bytes()))
        throw DialtopError(refused);
}
