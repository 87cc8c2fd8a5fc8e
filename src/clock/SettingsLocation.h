#pragma once

#include <string>

// Where settings.ini lives: beside the executable whenever that folder can be written (a copy kept in
// a home folder), otherwise in the user's configuration folder, configHome + "/dialtop/" (a program
// installed under /usr or /opt, an AppImage). Without a configuration folder it stays beside the
// executable. Paths are bytes as the file system has them.
std::string SettingsFilePath(const std::string& executablePath, const std::string& configHome);

// Creates the folders above the file that are missing, readable by their owner only, as configuration
// folders are. False when one cannot be made; the save then reports the file.
bool MakeSettingsFolder(const std::string& settingsPath);
