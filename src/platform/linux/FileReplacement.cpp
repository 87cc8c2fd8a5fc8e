#include "platform/linux/FileReplacement.h"

#include "platform/linux/FileDescriptor.h"

#include <cerrno>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>

namespace {

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
FileDescriptor createTemporary(const std::string& folder, const std::string& name, mode_t mode,
                               std::string& temporary) {
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary =
            folder + temporaryPrefix(name) + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return FileDescriptor(fd);
    }
    return FileDescriptor(-1);
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

} // namespace

std::optional<std::string> OwnLinkTarget(std::string path) {
    const uid_t user = ::geteuid();
    bool followed = false;
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info {};
        // A file that is not there yet is made where the chain ends.
        if (::lstat(path.c_str(), &info) != 0)
            return path;
        if (!S_ISLNK(info.st_mode)) {
            if (followed && info.st_uid != user && user != 0)
                return std::nullopt;
            return path;
        }
        if (info.st_uid != user)
            return std::nullopt;
        std::string target(static_cast<std::size_t>(info.st_size) + 1, '\0');
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
        if (length < 0 || static_cast<std::size_t>(length) >= target.size())
            return std::nullopt;
        target.resize(static_cast<std::size_t>(length));
        path = target.starts_with('/') ? target : path.substr(0, path.rfind('/') + 1) + target;
        followed = true;
    }
    return std::nullopt;
}

bool ReplaceFile(const std::string& path, const std::string& bytes, const Replacement& how) {
    const std::optional<std::string> target = OwnLinkTarget(path);
    if (!target)
        return false;
    const std::size_t slash = target->rfind('/');
    const std::string folder = target->substr(0, slash + 1);
    const std::string name = target->substr(slash + 1);
    std::string temporary;
    FileDescriptor file = createTemporary(folder, name, how.mode.value_or(0666), temporary);
    if (!file.valid())
        return false;

    struct stat old {};
    const bool replacing = ::stat(target->c_str(), &old) == 0;
    // Owner first: giving a file away clears its set-id bits, which the mode then brings back.
    const bool keepsOwner =
        !replacing || ::geteuid() != 0 || ::fchown(file.get(), old.st_uid, old.st_gid) == 0;
    const std::optional<mode_t> mode = how.mode    ? how.mode
                                       : replacing ? std::optional<mode_t>(old.st_mode & 07777)
                                                   : std::nullopt;
    const bool keepsMode = !mode || ::fchmod(file.get(), *mode) == 0;
    if (!keepsOwner || !keepsMode || !writeAll(file.get(), bytes) || how.sync(file.get()) != 0 ||
        !file.close() || ::rename(temporary.c_str(), target->c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }

    // Makes the rename itself durable; some file systems cannot sync a folder, and the file is in place.
    FileDescriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.valid())
        ::fsync(directory.get());
    removeStaleTemporaries(folder, name);
    return true;
}
