#include "settings/SettingsStore.h"

#include "support/FileBytes.h"

#include <QTemporaryDir>

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

// Rows other than 4, each with a line of its own that no reader knows.
std::string otherRows() {
    std::string text;
    for (int row = 1; row <= AlarmRowCount; ++row) {
        if (row != 4)
            text += "[alarm" + std::to_string(row) + "]\nison=1\nhour=" + std::to_string(row) +
                    "\nminute=" + std::to_string(row * 3) + "\nvolume=" + std::to_string(row) +
                    "\nsound=/music/" + std::to_string(row) + ".mp3\n";
    }
    return text;
}

TEST(SettingsStore, ASaveChangesOnlyTheValuesAndALoadGivesThemBack) {
    QTemporaryDir folder;
    const std::string path = folder.filePath("settings.ini").toStdString();
    std::ofstream(path, std::ios::binary)
        << "; by hand\r\n[timedif]\r\nminutes=$1E\r\ntheme=dark\r\ncountry=\"Oslo\"\r\nshowexpanded=2\r\n"
        << "[alarm4]\nison=0\nhour=07\nminute=5\nsound=None\n"
        << otherRows() << "[window]\nleft=10";

    SettingsStore store(path);
    store.load();
    EXPECT_EQ(store.values.TimeDifference, 30);
    EXPECT_EQ(store.values.CountryName, QStringLiteral("Oslo"));
    EXPECT_TRUE(store.values.ShowExpanded);
    EXPECT_EQ(store.values.AlarmHour[4], 7);
    EXPECT_EQ(store.values.AlarmSound[17], QStringLiteral("/music/17.mp3"));

    store.values.TimeDifference = -90;
    store.values.CountryName = QStringLiteral("Αθήνα");
    store.values.AlarmOn[4] = true;
    store.values.AlarmSound[4] = QStringLiteral("/music/wake up.wav");
    store.save();
    // Each line keeps its own line end; values are written as the readers give them.
    EXPECT_EQ(readAll(path),
              "; by hand\r\n[timedif]\r\nminutes=-90\r\ntheme=dark\r\ncountry=Αθήνα\r\n"
              "showexpanded=1\r\n[alarm4]\nison=1\nhour=7\nminute=5\nsound=/music/wake up.wav\n" +
                  otherRows() + "[window]\nleft=10");

    SettingsStore fresh(path);
    fresh.load();
    EXPECT_EQ(fresh.values.TimeDifference, -90);
    EXPECT_EQ(fresh.values.CountryName, QStringLiteral("Αθήνα"));
    EXPECT_TRUE(fresh.values.AlarmOn[4]);
    EXPECT_EQ(fresh.values.AlarmSound[4], QStringLiteral("/music/wake up.wav"));
    EXPECT_EQ(fresh.values.AlarmMinute[9], 27);
}

} // namespace
