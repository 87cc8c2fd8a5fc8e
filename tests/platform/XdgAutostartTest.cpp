#include "platform/linux/XdgAutostart.h"

#include "base/DialtopError.h"

#include <QTemporaryDir>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

class XdgAutostartTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        setenv("HOME", home.path().toLocal8Bit().constData(), 1);
        setenv("XDG_CONFIG_HOME", config().c_str(), 1);
    }
    void TearDown() override { unsetenv("XDG_CONFIG_HOME"); }

    std::string config() const { return home.filePath(QStringLiteral("config")).toStdString(); }
    std::string entry() const { return config() + "/autostart/dialtop.desktop"; }

    static std::string read(const std::string& path) {
        std::ifstream file(path);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }
    void writeEntry(const std::string& text) {
        fs::create_directories(config() + "/autostart");
        std::ofstream(entry()) << text;
    }
    // The error a refused write must give, or "" when none was thrown.
    std::string registerError(const std::string& executable) {
        try {
            autostart.registerExecutable(executable);
        } catch (const DialtopError& error) {
            return error.what();
        }
        return {};
    }

    QTemporaryDir home;
    XdgAutostart autostart;
};

TEST_F(XdgAutostartTest, RegisteringWritesAnEntryThatUnregisteringRemoves) {
    EXPECT_EQ(autostart.isRegistered(), std::nullopt) << "no autostart folder: nothing can be said";
    autostart.registerExecutable("/usr/bin/dialtop");
    EXPECT_EQ(read(entry()), "[Desktop Entry]\n"
                             "Type=Application\n"
                             "Name=Dialtop\n"
                             "Comment=Desktop clock\n"
                             "Exec=\"/usr/bin/dialtop\"\n"
                             "TryExec=/usr/bin/dialtop\n"
                             "Icon=dialtop\n"
                             "Terminal=false\n");
    EXPECT_EQ(autostart.isRegistered(), true);

    autostart.unregister();
    EXPECT_FALSE(fs::exists(entry()));
    EXPECT_EQ(autostart.isRegistered(), false);
    autostart.unregister(); // nothing left to remove
    EXPECT_EQ(autostart.isRegistered(), false);
}

TEST_F(XdgAutostartTest, QuotesThePathByTheDesktopEntryRules) {
    autostart.registerExecutable("/opt/my apps/d\"l$x\\y%z`w\tv");
    const std::string text = read(entry());
    // Quoted argument: \" \$ \\ \` inside double quotes, %% for a percent sign; then, as a string
    // value, every backslash doubled and the tab escaped.
    EXPECT_NE(text.find("\nExec=\"/opt/my apps/d\\\\\"l\\\\$x\\\\\\\\y%%z\\\\`w\\tv\"\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("\nTryExec=/opt/my apps/d\"l$x\\\\y%z`w\\tv\n"), std::string::npos) << text;
}

TEST_F(XdgAutostartTest, KeepsTheLeadingBlankOfAPathThatReadersWouldDrop) {
    autostart.registerExecutable(" dialtop ");
    const std::string text = read(entry());
    EXPECT_NE(text.find("\nTryExec=\\sdialtop \n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nExec=\" dialtop \"\n"), std::string::npos) << text;
}

TEST_F(XdgAutostartTest, AnEntryTheDesktopSwitchedOffCountsAsOff) {
    writeEntry("[Desktop Entry]\nExec=dialtop\nHidden=true\n");
    EXPECT_EQ(autostart.isRegistered(), false);
    writeEntry("[Desktop Entry]\nExec=dialtop\nX-GNOME-Autostart-enabled = false\n");
    EXPECT_EQ(autostart.isRegistered(), false);
    writeEntry("[Desktop Entry]\nExec=dialtop\nHidden=false\nX-GNOME-Autostart-enabled=true\n");
    EXPECT_EQ(autostart.isRegistered(), true);
    writeEntry("[Desktop Entry]\nExec=dialtop\n[Desktop Action off]\nHidden=true\n");
    EXPECT_EQ(autostart.isRegistered(), true) << "keys of another group do not count";

    // Registering again switches it back on and names the executable as it is now.
    writeEntry("[Desktop Entry]\nExec=/old/place/dialtop\nHidden=true\n");
    autostart.registerExecutable("/new/place/dialtop");
    EXPECT_EQ(autostart.isRegistered(), true);
    EXPECT_NE(read(entry()).find("TryExec=/new/place/dialtop\n"), std::string::npos);
}

TEST_F(XdgAutostartTest, RefusesWhatCannotBeWrittenAndKeepsTheOldEntry) {
    writeEntry("[Desktop Entry]\nExec=old\n");
    const std::string refused = "Failed to set data for '" + entry() + "'";
    EXPECT_EQ(registerError(""), refused);
    EXPECT_EQ(registerError("/usr/bin/dial\ntop"), refused);
    EXPECT_EQ(registerError("/usr/bin/dialtop (deleted)"), refused) << "a binary removed while running";
    EXPECT_EQ(read(entry()), "[Desktop Entry]\nExec=old\n");

    fs::remove(entry());
    fs::create_directory(entry()); // something that is no file in the entry's place
    EXPECT_EQ(registerError("/usr/bin/dialtop"), refused);
    EXPECT_EQ(fs::directory_iterator(config() + "/autostart")->path(), entry()) << "no temporary file left";
}

TEST_F(XdgAutostartTest, AFolderThatCannotBeMadeIsNoErrorAndARelativeConfigHomeIsIgnored) {
    std::ofstream(config()) << "a file where the configuration folder should be";
    EXPECT_EQ(registerError("/usr/bin/dialtop"), "");
    EXPECT_EQ(autostart.isRegistered(), std::nullopt);

    setenv("XDG_CONFIG_HOME", "relative/config", 1);
    autostart.registerExecutable("/usr/bin/dialtop");
    EXPECT_TRUE(fs::exists(home.filePath(QStringLiteral(".config/autostart/dialtop.desktop")).toStdString()));
}

} // namespace
