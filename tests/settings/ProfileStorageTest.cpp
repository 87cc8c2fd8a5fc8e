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

    EXPECT_EQ(LoadProfileFile(path).file.bytes(), "");
    EXPECT_THROW(UpdateProfileFile(path, setCountry), DialtopError);
}

// The real file is a few KB; anything far beyond that is not read, so that it costs no memory or time,
// and never rewritten, so that it keeps every line of its own.
TEST(ProfileStorage, AFileBeyondItsBoundsIsNeitherReadNorRewritten) {
    QTemporaryDir folder;
    const std::string path = folder.filePath("settings.ini").toStdString();
    const std::string head = "[timedif]\ncountry=y\n";
    const std::string atLineBound = head + std::string(MaxProfileLines - 2, '\n');
    const std::string atByteBound = head + std::string(MaxProfileBytes - head.size(), 'z');
    for (const std::string& beyond : {atLineBound + "\n", atLineBound + "z", atByteBound + "z"}) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << beyond;
        const LoadedProfile loaded = LoadProfileFile(path);
        EXPECT_TRUE(loaded.tooLarge);
        EXPECT_EQ(loaded.file.bytes(), "");
        EXPECT_THROW(UpdateProfileFile(path, setCountry), DialtopError);
        EXPECT_EQ(readAll(path), beyond);
    }
    for (const std::string& within : {atLineBound, atByteBound}) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << within;
        const LoadedProfile loaded = LoadProfileFile(path);
        EXPECT_FALSE(loaded.tooLarge);
        EXPECT_EQ(loaded.file.readText("timedif", "country", ""), "y");
    }
}

// Without the executable's folder the path is bare; the current directory must not stand in for it.
TEST(ProfileStorage, ARelativePathNamesNoFile) {
    QTemporaryDir folder;
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    std::ofstream("settings.ini") << "[timedif]\ncountry=here\n";

    EXPECT_EQ(LoadProfileFile("settings.ini").file.bytes(), "");
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
