#pragma once

#include <string>

// Where settings.ini lives: beside the executable when that folder is the user's own and can be written
// (a copy kept in a home folder), otherwise in the user's configuration folder, configHome + "/dialtop/"
// (a program installed under /usr or /opt, also when root runs it; an AppImage). A folder under /usr,
// /bin, /sbin, /lib*, /opt, /etc or /var, one another user owns and one everyone may write to are never
// the user's own. Without a configuration folder it stays beside the executable. Paths are bytes as the
// file system has them.
std::string SettingsFilePath(const std::string& executablePath, const std::string& configHome);

// Creates the folders above the file that are missing, readable by their owner only, as configuration
// folders are. False when one cannot be made; the save then reports the file.
bool MakeSettingsFolder(const std::string& settingsPath);
