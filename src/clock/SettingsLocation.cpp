#include "clock/SettingsLocation.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* FileName = "settings.ini";

bool writableFolder(const std::string& folder) {
    struct stat info {};
    return !folder.empty() && ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           ::access(folder.c_str(), W_OK | X_OK) == 0;
}

} // namespace

std::string SettingsFilePath(const std::string& executablePath, const std::string& configHome) {
    const std::string beside = executablePath.substr(0, executablePath.rfind('/') + 1);
    if (writableFolder(beside) || configHome.empty())
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
