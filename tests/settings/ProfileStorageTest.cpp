#include "settings/ProfileStorage.h"

#include "base/DialtopError.h"
#include "support/FileBytes.h"
#include "tweaks/ErrorText.h"

#include <QDir>
#include <QTemporaryDir>

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void setCountry(ProfileFile& profile) {
    profile.writeText("timedif", "country", "x");
}

constexpr uid_t Nobody = 65534;

bool giveTo(const std::string& path, uid_t user) {
    return ::lchown(path.c_str(), user, user) == 0;
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

// A link someone else planted where the settings file belongs, as the first link of a chain or a later
// one, must not make the save rewrite the file it leads to.
TEST(ProfileStorage, ALinkOfAnotherUserIsNeverFollowed) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can give a link to another user";
    QTemporaryDir folder;
    const std::string path = folder.filePath("settings.ini").toStdString();
    const std::string hop = folder.filePath("hop").toStdString();
    const std::string victim = folder.filePath("profile").toStdString();
    std::ofstream(victim) << "mine\n";
    ASSERT_EQ(::symlink(victim.c_str(), hop.c_str()), 0);
    ASSERT_EQ(::symlink(hop.c_str(), path.c_str()), 0);

    for (const std::string& planted : {path, hop}) {
        ASSERT_TRUE(giveTo(planted, Nobody));
        EXPECT_EQ(errorOf([&] { UpdateProfileFile(path, setCountry); }), "Unable to write to " + path);
        EXPECT_EQ(readAll(victim), "mine\n") << planted;
        struct stat info {};
        EXPECT_TRUE(::lstat(planted.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) << planted;
        ASSERT_TRUE(giveTo(planted, ::geteuid()));
    }
}

TEST(ProfileStorage, RootSavingThroughItsOwnLinkLeavesTheFileToItsOwner) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root writes another user's file";
    QTemporaryDir folder;
    const std::string path = folder.filePath("settings.ini").toStdString();
    const std::string target = folder.filePath("theirs.ini").toStdString();
    std::ofstream(target) << "; theirs\n";
    ASSERT_TRUE(giveTo(target, Nobody));
    ASSERT_EQ(::symlink(target.c_str(), path.c_str()), 0);

    UpdateProfileFile(path, setCountry);

    EXPECT_EQ(readAll(target), "; theirs\n[timedif]\ncountry=x\n");
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, Nobody);
    EXPECT_EQ(info.st_gid, Nobody);
}

} // namespace
