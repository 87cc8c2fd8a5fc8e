#include "app/DialtopApplication.h"
#include "app/DialtopProgram.h"
#include "clock/formDialtop.h"
#include "platform/Services.h"
#include "platform/fake/FakeServices.h"
#include "settings/ProfileStorage.h"
#include "support/ClockParts.h"
#include "support/FileBytes.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>

#include <csignal>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

using namespace std::string_literals;

std::string alarmSections(std::initializer_list<int> rows) {
    std::string text;
    for (int row : rows)
        text += "[alarm" + std::to_string(row) + "]\nison=0\nhour=0\nminute=0\nsound=None\n";
    return text;
}

// Root ignores permission bits but not the file size limit, so a full disk is simulated with it.
class DiskFull {
public:
    explicit DiskFull(rlim_t bytes) : handler_(std::signal(SIGXFSZ, SIG_IGN)) {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~DiskFull() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, handler_);
    }

private:
    rlimit old_{};
    void (*handler_)(int);
};

struct ExitResult {
    std::vector<std::string> errors;
    bool terminated = false;
};

class SettingsWindow : public testing::Test {
protected:
    std::string settingsPath() const { return folder.filePath("settings.ini").toStdString(); }
    void writeSettings(const std::string& bytes) const {
        std::ofstream(settingsPath(), std::ios::binary) << bytes;
    }

    Tdialform& start(const std::string& executable) {
        fakes.process.path = executable;
        services.emplace(fakes.services());
        program = std::make_unique<DialtopProgram>(*services);
        return program->clock();
    }
    Tdialform& start() { return start(folder.filePath("dialtop").toStdString()); }
    Settings& values() { return program->settings().values; }

    // Exit as the menu runs it, with errors caught as the application catches them.
    ExitResult exitProgram() {
        ExitResult result;
        Tdialform& form = program->clock();
        auto* app = static_cast<DialtopApplication*>(qApp);
        const auto connection =
            QObject::connect(&form, &Tdialform::terminateRequested, [&result] { result.terminated = true; });
        app->setErrorReporter([&result](const std::string& message) { result.errors.push_back(message); });
        RunGuarded([&form] { form.menuExitClick(); });
        app->setErrorReporter({});
        QObject::disconnect(connection);
        return result;
    }

    // Every entry of the folder with the bytes of its files, to see that nothing changed.
    std::map<std::string, std::string> folderContents() const {
        std::map<std::string, std::string> contents;
        for (const QFileInfo& entry :
             QDir(folder.path())
                 .entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
            contents[entry.fileName().toStdString()] =
                entry.isDir() ? "<folder>" : readAll(entry.filePath().toStdString());
        return contents;
    }

    QTemporaryDir folder;
    fake::Services fakes;
    // The windows keep a reference to it, so it must outlive them.
    std::optional<platform::Services> services;
    std::unique_ptr<DialtopProgram> program;
};

void expectDefaultAlarms(const Settings& values, std::initializer_list<int> rows) {
    for (int row : rows) {
        EXPECT_FALSE(values.AlarmOn[row]) << row;
        EXPECT_EQ(values.AlarmHour[row], 0) << row;
        EXPECT_EQ(values.AlarmMinute[row], 0) << row;
        EXPECT_EQ(values.AlarmSound[row], "None") << row;
    }
}

TEST_F(SettingsWindow, NoFileGivesTheDefaultsAndExitWritesAll71KeysInOrder) {
    start();
    EXPECT_EQ(values().TimeDifference, 0);
    EXPECT_EQ(values().CountryName, "Vazezo");
    EXPECT_FALSE(values().ShowExpanded);
    expectDefaultAlarms(values(), {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17});

    const ExitResult exit = exitProgram();
    EXPECT_TRUE(exit.errors.empty());
    EXPECT_TRUE(exit.terminated);
    EXPECT_EQ(readAll(settingsPath()),
              "[timedif]\nminutes=0\ncountry=Vazezo\nshowexpanded=0\n" +
                  alarmSections({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17}));
}

TEST_F(SettingsWindow, ReadsEveryFieldOfAHandWrittenFile) {
    writeSettings("[TIMEDIF]\nminutes=-90\ncountry=\"Αθήνα\"\nshowexpanded=2\n"
                  "[alarm4]\nison=1\nhour=7\nminute=30\nsound=/home/u/wake up.mp3\n"
                  "[Alarm17]\nison=yes\nhour=0x17\nminute=$3B\nsound=\n");
    start();
    EXPECT_EQ(values().TimeDifference, -90);
    EXPECT_EQ(values().CountryName, "Αθήνα");
    EXPECT_TRUE(values().ShowExpanded);
    EXPECT_TRUE(values().AlarmOn[4]);
    EXPECT_EQ(values().AlarmHour[4], 7);
    EXPECT_EQ(values().AlarmMinute[4], 30);
    EXPECT_EQ(values().AlarmSound[4], "/home/u/wake up.mp3");
    EXPECT_FALSE(values().AlarmOn[17]);
    EXPECT_EQ(values().AlarmHour[17], 23);
    EXPECT_EQ(values().AlarmMinute[17], 59);
    EXPECT_EQ(values().AlarmSound[17], "");
    expectDefaultAlarms(values(), {1, 2, 3, 5, 16});
}

TEST_F(SettingsWindow, ALongCountryNameIsReadAndShownInFull) {
    const QString twenty = QStringLiteral("Αβγδεζηθικλμνξοπρστυ");
    writeSettings("[timedif]\ncountry=" + twenty.toStdString() + "\n");
    Tdialform& form = start();
    form.Timer1Timer();
    EXPECT_EQ(values().CountryName, twenty);
    EXPECT_EQ(ClockParts(form).lblcountry->text(), twenty);
}

TEST_F(SettingsWindow, ASaveKeepsWhatTheUserAddedToTheFile) {
    const std::string head = "; edited by hand\n[window]\nleft=10\n\n[timedif]\n; east of here\nminutes=60\n"
                             "theme=dark\ncountry=Oslo\n";
    const std::string alarm2 = "\n[alarm2]\nison=0\nhour=6\nminute=15\nsound=None\n";
    writeSettings(head + alarm2);
    start();
    values().TimeDifference = 180;
    values().AlarmOn[2] = true;

    EXPECT_TRUE(exitProgram().errors.empty());
    EXPECT_EQ(
        readAll(settingsPath()),
        "; edited by hand\n[window]\nleft=10\n\n[timedif]\n; east of here\nminutes=180\n"
        "theme=dark\ncountry=Oslo\nshowexpanded=0\n\n[alarm2]\nison=1\nhour=6\nminute=15\nsound=None\n" +
            alarmSections({1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17}));
}

struct RefusedCase {
    const char* simulates;
    std::function<std::string(const QString& folder)> prepare; // gives the executable's path
    bool diskFull = false;
};

void PrintTo(const RefusedCase& row, std::ostream* out) {
    *out << row.simulates;
}

class RefusedSave : public SettingsWindow, public testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedSave, ReportsTheFileAndLeavesEverythingAsItWas) {
    const std::string executable = GetParam().prepare(folder.path());
    start(executable);
    values().TimeDifference = 45;
    const auto before = folderContents();

    const ExitResult exit = [&] {
        if (!GetParam().diskFull)
            return exitProgram();
        const DiskFull full(64);
        return exitProgram();
    }();

    EXPECT_EQ(exit.errors, std::vector<std::string>{"Unable to write to " + program->settings().path()});
    EXPECT_FALSE(exit.terminated);
    EXPECT_EQ(folderContents(), before);
    EXPECT_EQ(values().TimeDifference, 45);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedSave,
    testing::Values(
        RefusedCase{"the disk fills up part-way through the new file",
                    [](const QString& folder) {
                        std::ofstream((folder + "/settings.ini").toStdString()) << "[timedif]\nminutes=30\n";
                        return (folder + "/dialtop").toStdString();
                    },
                    true},
        RefusedCase{"settings.ini is a folder",
                    [](const QString& folder) {
                        QDir(folder).mkpath("settings.ini/inside");
                        return (folder + "/dialtop").toStdString();
                    }},
        RefusedCase{"settings.ini cannot be read",
                    [](const QString& folder) {
                        // Reading a process's memory from offset 0 fails even for root.
                        if (::symlink("/proc/self/mem", (folder + "/settings.ini").toUtf8().constData()) != 0)
                            ADD_FAILURE() << "no link";
                        return (folder + "/dialtop").toStdString();
                    }},
        RefusedCase{"the executable's folder is a file",
                    [](const QString& folder) {
                        std::ofstream((folder + "/bin").toStdString()) << "not a folder";
                        return (folder + "/bin/dialtop").toStdString();
                    }},
        RefusedCase{"a folder that takes no new file", [](const QString&) { return "/proc/dialtop"s; }}),
    [](const testing::TestParamInfo<RefusedCase>& info) { return std::to_string(info.index); });

struct JunkCase {
    const char* what;
    std::string file;
    int minutes;
    std::size_t countryLength;
};

void PrintTo(const JunkCase& row, std::ostream* out) {
    *out << row.what;
}

class JunkFile : public SettingsWindow, public testing::WithParamInterface<JunkCase> {};

TEST_P(JunkFile, GivesWhatCanBeReadAndDefaultsForTheRest) {
    writeSettings(GetParam().file);
    start();
    EXPECT_EQ(values().TimeDifference, GetParam().minutes);
    EXPECT_EQ(static_cast<std::size_t>(values().CountryName.size()), GetParam().countryLength);
    EXPECT_FALSE(values().ShowExpanded);
    expectDefaultAlarms(values(), {1, 17});
}

// As long as a line of a file within the bounds can be.
const std::string LongLine(1'000'000, '\xff');

INSTANTIATE_TEST_SUITE_P(
    Cases, JunkFile,
    testing::Values(JunkCase{"binary junk",
                             "\x7f"
                             "ELF\0\x02\x01[\xff]=\0\n\n==\r\r\x80"s,
                             0, 6},
                    JunkCase{"a 1 MB line", "[timedif]\nminutes=15\ncountry=" + LongLine, 15, 2047},
                    JunkCase{"a 1 MB line first", LongLine + "\n[timedif]\nminutes=15\n", 15, 6},
                    JunkCase{"no line end at the end", "[timedif]\nminutes=15", 15, 6},
                    JunkCase{"CRLF", "[timedif]\r\nminutes=15\r\ncountry=Oslo\r\n", 15, 4},
                    JunkCase{"unclosed header", "[timedif\nminutes=15\n", 0, 6}),
    [](const testing::TestParamInfo<JunkCase>& info) { return std::to_string(info.index); });

TEST_F(SettingsWindow, AFileTooLargeToBeReadIsToldAtStartAndExitLeavesItAsItIs) {
    const std::string tooLarge = "[timedif]\nminutes=30\n" + std::string(MaxProfileLines, '\n');
    writeSettings(tooLarge);
    start();
    EXPECT_EQ(values().TimeDifference, 0);
    EXPECT_EQ(fakes.dialogs.texts(fake::Dialogs::Kind::Warning),
              std::vector<QString>{QString::fromStdString(settingsPath()) +
                                   " is too large to be read; Dialtop starts with its defaults and will not "
                                   "change it."});

    const ExitResult exit = exitProgram();
    EXPECT_EQ(exit.errors, std::vector<std::string>{"Unable to write to " + settingsPath()});
    EXPECT_EQ(readAll(settingsPath()), tooLarge);
}

TEST_F(SettingsWindow, AnUnwritableProgramFolderKeepsTheFileInTheConfigurationFolder) {
    const std::string config = folder.filePath("home/.config").toStdString();
    fakes.process.config = config;
    start("/nonexistent/bin/dialtop"); // as a program installed where users cannot write
    const std::string path = config + "/dialtop/settings.ini";
    EXPECT_EQ(program->settings().path(), path);
    values().TimeDifference = 75;

    const ExitResult exit = exitProgram();
    EXPECT_TRUE(exit.errors.empty());
    EXPECT_TRUE(exit.terminated);
    EXPECT_EQ(readAll(path).substr(0, 21), "[timedif]\nminutes=75\n");
    struct stat info {};
    ASSERT_EQ(::stat((config + "/dialtop").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u) << "a configuration folder of the user's own";

    program.reset();
    start("/nonexistent/bin/dialtop");
    EXPECT_EQ(values().TimeDifference, 75) << "read back from the same place";
}

TEST_F(SettingsWindow, AWritableProgramFolderStaysTheFilesPlace) {
    fakes.process.config = folder.filePath("config").toStdString();
    start();
    EXPECT_EQ(program->settings().path(), settingsPath());
}

TEST_F(SettingsWindow, OnlyWhenNeitherPlaceCanBeWrittenIsTheUserTold) {
    std::ofstream(folder.filePath("plain").toStdString()) << "a file, not a folder";
    fakes.process.config = folder.filePath("plain/config").toStdString();
    start("/nonexistent/bin/dialtop");
    const ExitResult exit = exitProgram();
    EXPECT_EQ(exit.errors,
              std::vector<std::string>{"Unable to write to " + folder.filePath("plain/config").toStdString() +
                                       "/dialtop/settings.ini"});
    EXPECT_FALSE(exit.terminated);
    EXPECT_EQ(program->settings().path(), folder.filePath("plain/config/dialtop/settings.ini").toStdString());
}

TEST_F(SettingsWindow, TextThatIsNotUtf8ComesBackByteForByte) {
    const std::string file = "[timedif]\nminutes=0\ncountry=Z\xfcrich\nshowexpanded=0\n"
                             "[alarm1]\nison=1\nhour=6\nminute=0\nsound=/home/u/m\xfcsic/wake.mp3\n" +
                             alarmSections({2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17});
    writeSettings(file);
    Tdialform& form = start();
    form.Timer1Timer();
    EXPECT_EQ(ClockParts(form).lblcountry->text(), QStringLiteral("Zürich")) << "shown as well as it can be";

    EXPECT_TRUE(exitProgram().errors.empty());
    EXPECT_EQ(readAll(settingsPath()), file);
}

TEST_F(SettingsWindow, AFolderNameThatIsNotUtf8IsKeptAsItIs) {
    const std::string odd = folder.path().toStdString() + "/f\xe9";
    ASSERT_EQ(::mkdir(odd.c_str(), 0700), 0);
    start(odd + "/dialtop");
    values().TimeDifference = 20;
    EXPECT_TRUE(exitProgram().errors.empty());
    EXPECT_EQ(readAll(odd + "/settings.ini").substr(0, 21), "[timedif]\nminutes=20\n");
    // QTemporaryDir cannot name what it would have to remove.
    EXPECT_EQ(::unlink((odd + "/settings.ini").c_str()), 0);
    EXPECT_EQ(::rmdir(odd.c_str()), 0);
}

TEST_F(SettingsWindow, ASaveThroughALinkWritesTheFileItPointsTo) {
    const std::string real = folder.filePath("real").toStdString();
    ASSERT_EQ(::mkdir(real.c_str(), 0700), 0);
    std::ofstream(real + "/settings.ini") << "; mine\n[timedif]\nminutes=10\n";
    ASSERT_EQ(::chmod((real + "/settings.ini").c_str(), 0640), 0);
    ASSERT_EQ(::symlink("real/settings.ini", settingsPath().c_str()), 0);

    start();
    EXPECT_EQ(values().TimeDifference, 10);
    values().TimeDifference = 25;
    EXPECT_TRUE(exitProgram().errors.empty());

    struct stat info {};
    ASSERT_EQ(::lstat(settingsPath().c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode)) << "the link is still a link";
    ASSERT_EQ(::stat((real + "/settings.ini").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_TRUE(readAll(real + "/settings.ini").starts_with("; mine\n[timedif]\nminutes=25\ncountry="));
    EXPECT_EQ(QDir(QString::fromStdString(real)).entryList(QDir::Files | QDir::Hidden).size(), 1)
        << "no temporary file left beside the target";
}

TEST_F(SettingsWindow, ATemporaryFileLeftByACrashIsNeverReadAndTheNextSaveRemovesIt) {
    writeSettings("[timedif]\nminutes=5\n");
    // Named as a save of a process that is gone (beyond any pid) would have named it.
    const std::string stale = folder.filePath(".settings.ini.999999999-0").toStdString();
    std::ofstream(stale) << "[timedif]\nminutes=99\n";
    const std::string notOurs = folder.filePath(".settings.ini.backup").toStdString();
    std::ofstream(notOurs) << "kept";

    start();
    EXPECT_EQ(values().TimeDifference, 5);
    EXPECT_TRUE(exitProgram().errors.empty());
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(stale)));
    EXPECT_EQ(readAll(notOurs), "kept");
}

} // namespace
