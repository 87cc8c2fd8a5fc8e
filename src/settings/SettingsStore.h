#pragma once

#include "settings/Settings.h"

#include <string>

class ProfileFile;

// The program's one copy of the settings and the file it comes from and goes back to.
class SettingsStore {
public:
    explicit SettingsStore(std::string path);

    Settings values;

    // Re-reads the file; a file that cannot be read gives the defaults.
    void load();
    // load() at the program's start: false when the file is there but too large to be read, which the
    // user is to be told; the defaults are then taken and the file is never rewritten.
    bool loadAtStart();
    // Writes the values into the file, keeping every other line of it. Throws DialtopError
    // "Unable to write to <path>" when it cannot.
    void save();

    // The full path of settings.ini, bytes as the file system has them.
    const std::string& path() const { return path_; }

private:
    void take(const ProfileFile& profile);

    std::string path_;
};
