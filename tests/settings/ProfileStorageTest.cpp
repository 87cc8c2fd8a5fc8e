#include "clock/ProfileStorage.h"

#include "clock/DialtopError.h"

#include <QDir>
#include <QTemporaryDir>

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>

namespace {

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void setCountry(ProfileFile& profile) {
    profile.writeText("timedif", "country", "x");
}

TEST(ProfileStorage, ReplacesTheFileKeepingItsPermissionBitsAndNoTemporaryFile) {
    QTemporaryDir folder;
    const std::string path = folder.filePath("settings.ini").toStdString();
    std::ofstream(path) << "; mine\n";
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);

    UpdateProfileFile(path, setCountry);

    EXPECT_EQ(readAll(path), "; mine\n[timedif]\ncountry=x\n");
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"settings.ini"});
}

// A FIFO blocks an ordinary open until a writer comes; reading one must neither hang nor count as a file.
TEST(ProfileStorage, AFifoInPlaceOfTheFileGivesNothingAndRefusesTheSave) {
    QTemporaryDir folder;
    const std::string path = folder.filePath("settings.ini").toStdString();
    ASSERT_EQ(::mkfifo(path.c_str(), 0666), 0);

    EXPECT_EQ(LoadProfileFile(path).bytes(), "");
    EXPECT_THROW(UpdateProfileFile(path, setCountry), DialtopError);
}

// Without the executable's folder the path is bare; the current directory must not stand in for it.
TEST(ProfileStorage, ARelativePathNamesNoFile) {
    QTemporaryDir folder;
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    std::ofstream("settings.ini") << "[timedif]\ncountry=here\n";

    EXPECT_EQ(LoadProfileFile("settings.ini").bytes(), "");
    try {
        UpdateProfileFile("settings.ini", setCountry);
        ADD_FAILURE() << "a relative path was written";
    } catch (const DialtopError& error) {
        EXPECT_STREQ(error.what(), "Unable to write to settings.ini");
    }
    EXPECT_EQ(readAll("settings.ini"), "[timedif]\ncountry=here\n");
    QDir::setCurrent(previous);
}

} // namespace
