// The clock's settings: what it reads from settings.ini at start and writes back on Exit.
#include "base/ApplicationTitle.h"
#include "base/ByteText.h"
#include "clock/formDialtop.h"
#include "platform/Dialogs.h"
#include "settings/ProfileStorage.h"
#include "settings/SettingsLocation.h"

#include <string>

namespace {

constexpr const char* TimeDifSection = "timedif";
constexpr const char* NoSound = "None";

std::string alarmSection(int row) {
    return "alarm" + std::to_string(row);
}

} // namespace

void Tdialform::LoadSettings() {
    TakeSettings(LoadProfileFile(SettingsPath()).file);
}

void Tdialform::LoadSettingsAtStart() {
    const std::string path = SettingsPath();
    const LoadedProfile loaded = LoadProfileFile(path);
    if (loaded.tooLarge)
        services_.dialogs.warning(ApplicationTitle,
                                  TextOfBytes(path) +
                                      QStringLiteral(" is too large to be read; Dialtop starts "
                                                     "with its defaults and will not change it."));
    TakeSettings(loaded.file);
}

void Tdialform::TakeSettings(const ProfileFile& profile) {
    TimeDifference = profile.readInteger(TimeDifSection, "minutes", 0);
    CountryName = TextOfBytes(profile.readText(TimeDifSection, "country", "Vazezo"));
    ShowExpanded = profile.readBool(TimeDifSection, "showexpanded", false);
    for (int row = 1; row <= AlarmRowCount; ++row) {
        const std::string section = alarmSection(row);
        AlarmOn[row] = profile.readBool(section, "ison", false);
        AlarmHour[row] = profile.readInteger(section, "hour", 0);
        AlarmMinute[row] = profile.readInteger(section, "minute", 0);
        AlarmSound[row] = TextOfBytes(profile.readText(section, "sound", NoSound));
    }
}

void Tdialform::SaveSettings() {
    const std::string path = SettingsPath();
    // A refused folder shows as the file that cannot be written.
    MakeSettingsFolder(path);
    UpdateProfileFile(path, [this](ProfileFile& profile) {
        profile.writeInteger(TimeDifSection, "minutes", TimeDifference);
        profile.writeText(TimeDifSection, "country", BytesOfText(CountryName));
        profile.writeBool(TimeDifSection, "showexpanded", ShowExpanded);
        for (int row = 1; row <= AlarmRowCount; ++row) {
            const std::string section = alarmSection(row);
            profile.writeBool(section, "ison", AlarmOn[row]);
            profile.writeInteger(section, "hour", AlarmHour[row]);
            profile.writeInteger(section, "minute", AlarmMinute[row]);
            profile.writeText(section, "sound", BytesOfText(AlarmSound[row]));
        }
    });
}
