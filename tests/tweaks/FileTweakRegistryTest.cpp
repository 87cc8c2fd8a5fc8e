#include "platform/linux/FileTweakRegistry.h"

#include "ErrorText.h"
#include "base/DialtopError.h"
#include "support/FileBytes.h"

#include <QDir>
#include <QTemporaryDir>

#include <cerrno>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using platform::HKEY_CURRENT_USER;
using platform::HKEY_LOCAL_MACHINE;
using platform::HKEY_USERS;

const char* const Desktop = "\\Control Panel\\Desktop";

unsigned modeOf(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0u;
}

class FileTweakRegistryTest : public testing::Test {
protected:
    std::string file(const char* root) const { return folder + "/" + root + ".reg"; }
    void write(const char* root, const std::string& text) {
        QDir().mkpath(QString::fromStdString(folder));
        std::ofstream(file(root), std::ios::binary) << text;
    }
    QStringList entries() const {
        return QDir(QString::fromStdString(folder))
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir temporary;
    std::string folder = temporary.filePath("config/dialtop/registry").toStdString();
    FileTweakRegistry registry{folder};
};

TEST_F(FileTweakRegistryTest, ValuesOfEveryRootComeBackFromPrivateFilesInAnyCase) {
    ASSERT_TRUE(registry.OpenPath(HKEY_CURRENT_USER, Desktop, true));
    registry.PutText("MenuShowDelay", "400");
    registry.PutDword("PaintDesktopVersion", -1);
    registry.PutText("odd \"name\" \\ with = signs", "two\n\rlines");
    registry.PutText("menushowdelay", "500");
    ASSERT_TRUE(
        registry.OpenPath(HKEY_LOCAL_MACHINE, "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", true));
    registry.PutText("RegisteredOwner", "");
    ASSERT_TRUE(registry.OpenPath(HKEY_USERS, "\\.DEFAULT\\Control Panel\\Desktop", true));
    registry.PutText("SCRNSAVE.EXE", "logon.scr");
    registry.ClosePath();

    FileTweakRegistry again(folder);
    ASSERT_TRUE(again.OpenPath(HKEY_CURRENT_USER, "\\control panel\\DESKTOP", false));
    EXPECT_EQ(again.GetText("MENUSHOWDELAY"), "500");
    EXPECT_EQ(again.GetDword("paintdesktopversion"), -1);
    EXPECT_EQ(again.GetText("odd \"NAME\" \\ with = signs"), "two\n\rlines");
    EXPECT_FALSE(again.HasValue("ProxyEnable"));
    ASSERT_TRUE(
        again.OpenPath(HKEY_LOCAL_MACHINE, "\\software\\microsoft\\windows nt\\currentversion", false));
    EXPECT_TRUE(again.HasValue("registeredowner"));
    EXPECT_EQ(again.GetText("RegisteredOwner"), "");
    ASSERT_TRUE(again.OpenPath(HKEY_USERS, "\\.default\\control panel\\desktop", false));
    EXPECT_EQ(again.GetText("scrnsave.exe"), "logon.scr");
    EXPECT_EQ(errorOf([&] { again.GetDword("SCRNSAVE.EXE"); }), "Invalid data type for 'SCRNSAVE.EXE'");

    // A person can read and edit what was written.
    const std::string user = readAll(file("HKEY_CURRENT_USER"));
    EXPECT_NE(user.find("[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n\"MenuShowDelay\"=\"500\"\n"
                        "\"PaintDesktopVersion\"=dword:ffffffff\n"),
              std::string::npos)
        << user;
    for (const char* root : {"HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE", "HKEY_USERS"})
        EXPECT_EQ(modeOf(file(root)), 0600u) << root;
    EXPECT_EQ(modeOf(folder), 0700u);
    EXPECT_EQ(entries(), (QStringList{"HKEY_CURRENT_USER.reg", "HKEY_LOCAL_MACHINE.reg", "HKEY_USERS.reg"}));
}

TEST_F(FileTweakRegistryTest, OpeningWithoutMakingLeavesNoTrace) {
    EXPECT_FALSE(registry.OpenPath(HKEY_CURRENT_USER, Desktop, false));
    EXPECT_FALSE(QDir(QString::fromStdString(folder)).exists());
    EXPECT_FALSE(registry.HasValue("MenuShowDelay"));
    EXPECT_EQ(errorOf([this] { registry.PutText("MenuShowDelay", "1"); }),
              "Failed to set data for 'MenuShowDelay'");
    EXPECT_FALSE(registry.OpenPath(HKEY_CURRENT_USER, "\\a\\\\b", true));
    EXPECT_FALSE(QDir(QString::fromStdString(folder)).exists());

    // A file written by hand, with its own line ends and an expandable text.
    write("HKEY_CURRENT_USER", "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n"
                               "\"Wallpaper\"=hex(2):7e,2f,61,00\r\n");
    ASSERT_TRUE(registry.OpenPath(HKEY_CURRENT_USER, Desktop, false));
    EXPECT_EQ(registry.GetText("wallpaper"), "~/a");
    ASSERT_TRUE(registry.OpenPath(HKEY_CURRENT_USER, "\\Control Panel", false));
}

TEST_F(FileTweakRegistryTest, AFileThatIsNoRegistryTextIsNeverOpenedNorRewritten) {
    const std::string foreign[] = {
        "\x89PNG\r\n\x1a\n\0\0\0\rIHDR",
        // cut short inside a value continued over lines
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n\"Wallpaper\"=hex(2):7e,2f,\\\n",
        "[HKEY_LOCAL_MACHINE\\Control Panel\\Desktop]\n",
    };
    for (const std::string& text : foreign) {
        write("HKEY_CURRENT_USER", text);
        EXPECT_FALSE(registry.OpenPath(HKEY_CURRENT_USER, Desktop, false));
        EXPECT_FALSE(registry.OpenPath(HKEY_CURRENT_USER, Desktop, true));
        EXPECT_EQ(readAll(file("HKEY_CURRENT_USER")), text);
    }
    // The other roots live on.
    ASSERT_TRUE(registry.OpenPath(HKEY_USERS, Desktop, true));
    registry.PutText("x", "y");
    EXPECT_EQ(entries(), (QStringList{"HKEY_CURRENT_USER.reg", "HKEY_USERS.reg"}));

    // A store is a few KB: one beyond the bound is not read, though it is registry text.
    const std::string desktop = "REGEDIT4\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n;";
    const std::string atBound = desktop + std::string(FileTweakRegistry::MaxFileBytes - desktop.size(), 'x');
    write("HKEY_CURRENT_USER", atBound);
    EXPECT_TRUE(registry.OpenPath(HKEY_CURRENT_USER, Desktop, false));
    write("HKEY_CURRENT_USER", atBound + "x");
    EXPECT_FALSE(registry.OpenPath(HKEY_CURRENT_USER, Desktop, true));
    EXPECT_EQ(readAll(file("HKEY_CURRENT_USER")), atBound + "x");

    // A folder or a FIFO in the file's place: no open, and no hang.
    ASSERT_EQ(::unlink(file("HKEY_CURRENT_USER").c_str()), 0);
    ASSERT_EQ(::mkfifo(file("HKEY_CURRENT_USER").c_str(), 0600), 0);
    EXPECT_FALSE(registry.OpenPath(HKEY_CURRENT_USER, Desktop, true));
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(file("HKEY_LOCAL_MACHINE"))));
    EXPECT_FALSE(registry.OpenPath(HKEY_LOCAL_MACHINE, Desktop, true));
}

// Two running copies writing at the same time lose none of each other's values, also those written
// between another's opening of the key and its write.
TEST_F(FileTweakRegistryTest, TwoProcessesWritingTogetherLoseNothing) {
    constexpr int Writes = 40;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    const std::string who = child == 0 ? "child" : "parent";
    FileTweakRegistry writer(folder);
    bool allWritten = true;
    for (int i = 0; i < Writes; ++i) {
        try {
            allWritten = writer.OpenPath(HKEY_CURRENT_USER, Desktop, true) && allWritten;
            writer.PutDword(who + std::to_string(i), i);
        } catch (const DialtopError&) {
            allWritten = false;
        }
        writer.ClosePath();
    }
    if (child == 0)
        ::_exit(allWritten ? 0 : 1);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(allWritten);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    ASSERT_TRUE(registry.OpenPath(HKEY_CURRENT_USER, Desktop, false));
    for (int i = 0; i < Writes; ++i) {
        for (const char* name : {"child", "parent"}) {
            ASSERT_TRUE(registry.HasValue(name + std::to_string(i))) << name << i;
            EXPECT_EQ(registry.GetDword(name + std::to_string(i)), i);
        }
    }
    EXPECT_EQ(entries(), QStringList{"HKEY_CURRENT_USER.reg"});
}

TEST_F(FileTweakRegistryTest, ALinkOfAnotherUserIsNeverWrittenThrough) {
    const std::string victim = temporary.filePath("profile").toStdString();
    const std::string text = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n";
    std::ofstream(victim) << text;
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(folder)));
    ASSERT_EQ(::symlink(victim.c_str(), file("HKEY_CURRENT_USER").c_str()), 0);
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can give a link to another user";
    ASSERT_EQ(::lchown(file("HKEY_CURRENT_USER").c_str(), 65534, 65534), 0);

    ASSERT_TRUE(registry.OpenPath(HKEY_CURRENT_USER, Desktop, false));
    EXPECT_EQ(errorOf([this] { registry.PutText("MenuShowDelay", "1"); }),
              "Failed to set data for 'MenuShowDelay'");
    EXPECT_EQ(readAll(victim), text);
    struct stat info {};
    EXPECT_TRUE(::lstat(file("HKEY_CURRENT_USER").c_str(), &info) == 0 && S_ISLNK(info.st_mode));
}

TEST_F(FileTweakRegistryTest, AWriteThatDoesNotReachTheDiskFailsAndLeavesTheOldFile) {
    ASSERT_TRUE(registry.OpenPath(HKEY_CURRENT_USER, Desktop, true));
    registry.PutText("MenuShowDelay", "1");
    const std::string before = readAll(file("HKEY_CURRENT_USER"));

    FileTweakRegistry failing(folder, [](int) {
        errno = EIO;
        return -1;
    });
    ASSERT_TRUE(failing.OpenPath(HKEY_CURRENT_USER, Desktop, false));
    EXPECT_EQ(errorOf([&failing] { failing.PutText("MenuShowDelay", "2"); }),
              "Failed to set data for 'MenuShowDelay'");
    EXPECT_EQ(readAll(file("HKEY_CURRENT_USER")), before);
    EXPECT_EQ(entries(), QStringList{"HKEY_CURRENT_USER.reg"});
}

TEST_F(FileTweakRegistryTest, ATemporaryFileLeftByACrashGoesWithTheNextWrite) {
    write("HKEY_CURRENT_USER", "");
    // Named as a write of a process that is gone (beyond any pid) would have named it.
    std::ofstream(folder + "/.HKEY_CURRENT_USER.reg.999999999-0") << "REGEDIT4\n";
    std::ofstream(folder + "/HKEY_CURRENT_USER.reg.backup") << "kept";

    ASSERT_TRUE(registry.OpenPath(HKEY_CURRENT_USER, Desktop, true));
    EXPECT_EQ(entries(), (QStringList{"HKEY_CURRENT_USER.reg", "HKEY_CURRENT_USER.reg.backup"}));
}

} // namespace
