#include "settings/SettingsStore.h"

#include "base/ByteText.h"
#include "settings/ProfileStorage.h"
#include "settings/SettingsLocation.h"

#include <utility>

namespace {

constexpr const char* TimeDifSection = "timedif";
constexpr const char* NoSound = "None";

std::string alarmSection(int row) {
    return "alarm" + std::to_string(row);
}

} // namespace

SettingsStore::SettingsStore(std::string path) : path_(std::move(path)) {}

void SettingsStore::load() {
    take(LoadProfileFile(path_).file);
}

bool SettingsStore::loadAtStart() {
    const LoadedProfile loaded = LoadProfileFile(path_);
    take(loaded.file);
    return !loaded.tooLarge;
}

void SettingsStore::take(const ProfileFile& profile) {
    values.TimeDifference = profile.readInteger(TimeDifSection, "minutes", 0);
    values.CountryName = TextOfBytes(profile.readText(TimeDifSection, "country", "Vazezo"));
    values.ShowExpanded = profile.readBool(TimeDifSection, "showexpanded", false);
    for (int row = 1; row <= AlarmRowCount; ++row) {
        const std::string section = alarmSection(row);
        values.AlarmOn[row] = profile.readBool(section, "ison", false);
        values.AlarmHour[row] = profile.readInteger(section, "hour", 0);
        values.AlarmMinute[row] = profile.readInteger(section, "minute", 0);
        values.AlarmSound[row] = TextOfBytes(profile.readText(section, "sound", NoSound));
    }
}

void SettingsStore::save() {
    // A refused folder shows as the file that cannot be written.
    MakeSettingsFolder(path_);
    UpdateProfileFile(path_, [this](ProfileFile& profile) {
        profile.writeInteger(TimeDifSection, "minutes", values.TimeDifference);
        profile.writeText(TimeDifSection, "country", BytesOfText(values.CountryName));
        profile.writeBool(TimeDifSection, "showexpanded", values.ShowExpanded);
        for (int row = 1; row <= AlarmRowCount; ++row) {
            const std::string section = alarmSection(row);
            profile.writeBool(section, "ison", values.AlarmOn[row]);
            profile.writeInteger(section, "hour", values.AlarmHour[row]);
            profile.writeInteger(section, "minute", values.AlarmMinute[row]);
            profile.writeText(section, "sound", BytesOfText(values.AlarmSound[row]));
        }
    });
}
