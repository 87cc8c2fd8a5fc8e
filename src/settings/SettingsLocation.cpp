#include "settings/SettingsLocation.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* FileName = "settings.ini";

// Where packages and the system keep their files (and / itself): a file left there outlives the program.
bool systemFolder(const std::string& folder) {
    const std::string top = folder.substr(1, folder.find('/', 1) - 1);
    return top.empty() || top == "usr" || top == "bin" || top == "sbin" || top.starts_with("lib") ||
           top == "opt" || top == "etc" || top == "var";
}

// A folder the user may write that is theirs alone: root may write anywhere, and a folder that others
// own or may write to holds files they can replace.
bool usersOwnFolder(const std::string& folder) {
    struct stat info {};
    return folder.starts_with('/') && !systemFolder(folder) && ::stat(folder.c_str(), &info) == 0 &&
           S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() && (info.st_mode & S_IWOTH) == 0 &&
           ::access(folder.c_str(), W_OK | X_OK) == 0;
}

} // namespace

std::string SettingsFilePath(const std::string& executablePath, const std::string& configHome) {
    const std::string beside = executablePath.substr(0, executablePath.rfind('/') + 1);
    if (usersOwnFolder(beside) || configHome.empty())
        return beside + FileName;
    return configHome + "/dialtop/" + FileName;
}

bool MakeSettingsFolder(const std::string& settingsPath) {
    const std::size_t end = settingsPath.rfind('/');
    if (end == std::string::npos || end == 0)
        return true;
    // Every folder on the way, from the top; those that exist are left as they are.
    for (std::size_t slash = settingsPath.find('/', 1); slash != std::string::npos && slash <= end;
         slash = settingsPath.find('/', slash + 1)) {
        const std::string folder = settingsPath.substr(0, slash);
        if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    return true;
}
