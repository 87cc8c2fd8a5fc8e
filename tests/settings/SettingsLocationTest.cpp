#include "settings/SettingsLocation.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

TEST(SettingsLocation, BesideTheProgramOnlyInAFolderOfTheUsersOwn) {
    QTemporaryDir folder;
    const std::string own = folder.path().toStdString();
    const std::string config = own + "/config";
    const std::string configured = config + "/dialtop/settings.ini";
    EXPECT_EQ(SettingsFilePath(own + "/dialtop", config), own + "/settings.ini");

    // Root may write these, but a file left there outlives the package.
    for (const char* installed :
         {"/usr/bin/dialtop", "/usr/local/bin/dialtop", "/bin/dialtop", "/opt/d/dialtop"})
        EXPECT_EQ(SettingsFilePath(installed, config), configured) << installed;

    // A folder anyone may write to is nobody's own.
    ASSERT_EQ(::chmod(own.c_str(), 01777), 0);
    EXPECT_EQ(SettingsFilePath(own + "/dialtop", config), configured);

    ASSERT_EQ(::chmod(own.c_str(), 0755), 0);
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can give a folder to another user";
    ASSERT_EQ(::chown(own.c_str(), 65534, 65534), 0);
    EXPECT_EQ(SettingsFilePath(own + "/dialtop", config), configured) << "another user's folder";
}

} // namespace
