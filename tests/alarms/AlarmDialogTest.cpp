#include "alarms/frmalarmU.h"
#include "app/DialtopApplication.h"
#include "clock/ClockFixture.h"
#include "platform/HotKeyService.h"
#include "support/ClockParts.h"
#include "support/FileBytes.h"
#include "ui/MessageTimer.h"
#include "ui/Shape.h"
#include "ui/TextButton.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTest>

#include <fstream>
#include <sstream>

namespace {

class AlarmDialog : public ClockFixture {
protected:
    void SetUp() override {
        ClockFixture::SetUp();
        static_cast<DialtopApplication*>(qApp)->reportErrorsTo(fakes.dialogs);
    }

    void TearDown() override {
        if (program)
            alarm().hide();
    }

    // settings.ini beside the program, with these alarm sections.
    void writeSettings(const std::string& sections) {
        std::ofstream(settingsPath().toStdString(), std::ios::binary) << sections;
    }
    QString settingsPath() const { return folder.filePath(QStringLiteral("settings.ini")); }
    QString makeFile(const QString& name) {
        const QString path = folder.filePath(name);
        std::ofstream(path.toStdString()) << "sound";
        return path;
    }

    Tfrmalarm& alarm() { return program->alarmWindow(); }
    std::vector<QString> errors() const { return fakes.dialogs.texts(fake::Dialogs::Kind::Error); }

    void openAlarm(std::function<int(Tfrmalarm&)> whileOpen) {
        fakes.dialogs.modalRun = [&, whileOpen](QDialog&) {
            alarm().show();
            const int result = whileOpen(alarm());
            alarm().hide();
            return result;
        };
        ClockParts(clock()).Alarm1->trigger();
    }

    // Through the window, as the platform delivers it: a window blocked by a modal box drops it.
    void clickStopAlarm() {
        const QPoint at = alarm().stal->mapTo(&alarm(), alarm().stal->rect().center());
        QTest::mouseClick(alarm().windowHandle(), Qt::LeftButton, {}, at);
    }

    bool rowsEnabled(int row) {
        Tfrmalarm& a = alarm();
        return a.stalRow[row]->isEnabled() && a.edh[row]->isEnabled() && a.edm[row]->isEnabled() &&
               a.eds[row]->isEnabled() && a.stbtnf[row]->isEnabled();
    }
};

TEST_F(AlarmDialog, TabWalksTheFiftyOneEditsRowByRowAndNothingElse) {
    start();
    Tfrmalarm& a = alarm();
    std::vector<QWidget*> expected;
    for (int row = 1; row <= AlarmRowCount; ++row)
        expected.insert(expected.end(), {a.edh[row], a.edm[row], a.eds[row]});
    std::vector<QWidget*> walked;
    QWidget* widget = a.edh[1];
    do {
        if (widget->focusPolicy() & Qt::TabFocus)
            walked.push_back(widget);
        widget = widget->nextInFocusChain();
    } while (widget != a.edh[1]);
    EXPECT_EQ(walked, expected);
    EXPECT_EQ(a.stalRow[9]->geometry(), QRect(10, 22 + 8 * 24, 17, 17));
    EXPECT_EQ(a.stbtnf[17]->geometry(), QRect(378, 22 + 16 * 24 - 1, 33, 19));
    EXPECT_EQ(a.stal->text(), QStringLiteral("STOP ALARM (Ctrl+F1)"));
    EXPECT_FALSE(a.stal->isEnabled());
}

TEST_F(AlarmDialog, OpeningReloadsTheFileAndOkTakesRowsAndOnlyRealFiles) {
    const QString song = makeFile(QStringLiteral("song.mp3"));
    writeSettings("[alarm3]\nison=1\nhour=7\nminute=5\nsound=None\n");
    start();
    settings().AlarmOn[3] = false;
    settings().AlarmHour[3] = 9;
    openAlarm([&](Tfrmalarm& a) {
        EXPECT_EQ(a.stalRow[3]->text(), QStringLiteral("X")); // the file's, not memory's
        EXPECT_EQ(a.edh[3]->text(), QStringLiteral("07"));
        EXPECT_EQ(a.edm[3]->text(), QStringLiteral("05"));
        EXPECT_EQ(a.eds[3]->text(), QStringLiteral("None"));
        EXPECT_EQ(a.edh[4]->text(), QStringLiteral("00"));
        a.edh[3]->setText(QStringLiteral("8"));
        a.eds[3]->setText(song);
        a.stal1Click(5);
        a.eds[5]->setText(folder.path()); // a folder is no media file
        a.eds[6]->setText(folder.filePath(QStringLiteral("missing.mp3")));
        a.edm[6]->setText(QStringLiteral("1x"));
        return QDialog::Accepted;
    });
    EXPECT_TRUE(settings().AlarmOn[3]);
    EXPECT_EQ(settings().AlarmHour[3], 8);
    EXPECT_EQ(settings().AlarmSound[3], song);
    EXPECT_TRUE(settings().AlarmOn[5]);
    EXPECT_EQ(settings().AlarmSound[5], QStringLiteral("None"));
    EXPECT_EQ(settings().AlarmSound[6], QStringLiteral("None"));
    EXPECT_EQ(settings().AlarmMinute[6], 0);
    const std::string written = readAll(settingsPath().toStdString());
    EXPECT_NE(written.find("[alarm3]\nison=1\nhour=8\nminute=5\nsound=" + song.toStdString()),
              std::string::npos)
        << written;
    EXPECT_NE(written.find("[alarm5]\nison=1"), std::string::npos) << written;
}

TEST_F(AlarmDialog, CancelWritesNothingButKeepsAUseToggleInMemoryUntilTheNextOpening) {
    writeSettings("[alarm2]\nison=0\nhour=6\nminute=45\nsound=None\n");
    start();
    const std::string before = readAll(settingsPath().toStdString());
    openAlarm([&](Tfrmalarm& a) {
        a.stal1Click(2);
        a.eds[2]->setText(makeFile(QStringLiteral("chosen.wav")));
        return QDialog::Rejected;
    });
    EXPECT_EQ(readAll(settingsPath().toStdString()), before);
    EXPECT_TRUE(settings().AlarmOn[2]);
    EXPECT_EQ(settings().AlarmSound[2], QStringLiteral("None"));
    tickInto(6, 45, 3);
    EXPECT_TRUE(alarm().isVisible()) << "the toggled row rings";
    alarm().stalMouseUp(Qt::LeftButton, {}, 0, 0);
    openAlarm([&](Tfrmalarm& a) {
        EXPECT_EQ(a.stalRow[2]->text(), QString()) << "reloaded";
        return QDialog::Rejected;
    });
}

TEST_F(AlarmDialog, AClickOnAUseBoxTogglesItAndDoesNotDragTheWindow) {
    start();
    Tfrmalarm& a = alarm();
    a.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&a));
    QTest::mouseClick(a.stalRow[5], Qt::LeftButton);
    EXPECT_EQ(a.stalRow[5]->text(), QStringLiteral("X"));
    EXPECT_TRUE(settings().AlarmOn[5]);
    QTest::mouseClick(a.stalRow[5], Qt::RightButton);
    EXPECT_EQ(a.stalRow[5]->text(), QStringLiteral("X")) << "only the left button clicks";
    QTest::mouseClick(a.stalRow[5], Qt::LeftButton);
    EXPECT_FALSE(settings().AlarmOn[5]);
    EXPECT_TRUE(fakes.windows.systemMoves.empty());
}

TEST_F(AlarmDialog, KeyReleasesClearOutOfRangeNumbersAndLeavingWritesTwoDigits) {
    start();
    Tfrmalarm& a = alarm();
    a.show();
    a.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&a));
    a.edh[1]->setFocus();
    a.edh[1]->clear();
    QTest::keyClick(a.edh[1], Qt::Key_2);
    EXPECT_EQ(a.edh[1]->text(), QStringLiteral("2"));
    QTest::keyClick(a.edh[1], Qt::Key_4);
    EXPECT_EQ(a.edh[1]->text(), QString()) << "24 is no hour";
    QTest::keyClick(a.edh[1], Qt::Key_1);
    QTest::keyClick(a.edh[1], Qt::Key_9);
    EXPECT_EQ(a.edh[1]->text(), QStringLiteral("19"));

    // Tab: the press leaves the hour, the release arrives in the minute edit showing "00".
    QTest::keyPress(a.edh[1], Qt::Key_Tab);
    EXPECT_EQ(a.edh[1]->text(), QStringLiteral("19"));
    ASSERT_EQ(QApplication::focusWidget(), a.edm[1]);
    QTest::keyRelease(a.edm[1], Qt::Key_Tab);
    EXPECT_EQ(a.edm[1]->text(), QString());
    QTest::keyClick(a.edm[1], Qt::Key_7);
    QTest::keyClick(a.edm[1], Qt::Key_Tab);
    EXPECT_EQ(a.edm[1]->text(), QStringLiteral("07"));
    EXPECT_EQ(QApplication::focusWidget(), a.eds[1]);

    a.edm[2]->setFocus();
    a.edm[2]->setText(QStringLiteral("6"));
    QTest::keyClick(a.edm[2], Qt::Key_0);
    EXPECT_EQ(a.edm[2]->text(), QString()) << "60 is no minute";
    a.edh[2]->setFocus();
    EXPECT_EQ(a.edm[2]->text(), QStringLiteral("00"));
    EXPECT_EQ(a.edh[2]->selectedText(), a.edh[2]->text()) << "entering selects all";

    // A pasted word is refused on leaving and stays for the user to mend.
    a.edh[2]->setText(QStringLiteral("ab"));
    a.edh[3]->setFocus();
    EXPECT_EQ(a.edh[2]->text(), QStringLiteral("ab"));
    EXPECT_EQ(errors(), std::vector<QString>{QStringLiteral("'ab' is not a valid integer value.")});

    a.eds[3]->setFocus();
    a.eds[3]->setText(QStringLiteral("/music/a.mp3"));
    a.eds[3]->selectAll();
    a.edh[4]->setFocus();
    EXPECT_FALSE(a.eds[3]->hasSelectedText());
    EXPECT_EQ(a.eds[3]->cursorPosition(), 1);
}

TEST_F(AlarmDialog, FileButtonAsksInTheFilesFolderOrTheMusicFolder) {
    start();
    Tfrmalarm& a = alarm();
    const QString song = makeFile(QStringLiteral("old.mp3"));
    a.eds[4]->setText(song);
    fakes.fileDialog.answers = {QStringLiteral("/music/new.wav"), std::nullopt};
    a.stbtnf1MouseUp(4);
    EXPECT_EQ(a.eds[4]->text(), QStringLiteral("/music/new.wav"));
    a.stbtnf1MouseUp(4); // cancelled: nothing changes
    EXPECT_EQ(a.eds[4]->text(), QStringLiteral("/music/new.wav"));
    a.eds[5]->setText(QStringLiteral("None"));
    a.stbtnf1MouseUp(5);

    ASSERT_EQ(fakes.fileDialog.requests.size(), 3u);
    EXPECT_EQ(fakes.fileDialog.requests[0].folder, folder.path());
    EXPECT_EQ(fakes.fileDialog.requests[0].filters,
              QStringList({QStringLiteral("mp3 files (*.mp3)"), QStringLiteral("wav files (*.wav)"),
                           QStringLiteral("wma files (*.wma)")}));
    QString music = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
    if (!QFileInfo(music).isDir())
        music = QDir::homePath();
    EXPECT_EQ(fakes.fileDialog.requests[1].folder, music) << "no folder /music here";
    EXPECT_EQ(fakes.fileDialog.requests[2].folder, music);
}

TEST_F(AlarmDialog, ADueRowRingsFlashesAndStopsAtTheEndOfItsMedia) {
    const QString song = makeFile(QStringLiteral("song.mp3"));
    fakes.media.playable = {song.toStdString()};
    writeSettings("[alarm2]\nison=1\nhour=7\nminute=30\nsound=" + song.toStdString() + "\n");
    start();
    Tfrmalarm& a = alarm();
    tickInto(7, 30, 0);

    ASSERT_TRUE(a.isVisible());
    EXPECT_EQ(fakes.media.calls, (std::vector<std::string>{"open " + song.toStdString(), "play"}));
    EXPECT_EQ(fakes.tones.played.size(), 1u);
    EXPECT_TRUE(a.stal->isEnabled());
    EXPECT_FALSE(a.stbtnOK->isEnabled());
    EXPECT_FALSE(a.stbtnCancel->isEnabled());
    EXPECT_FALSE(a.stalRow[1]->isEnabled() || a.edh[9]->isEnabled() || a.eds[17]->isEnabled() ||
                 a.stbtnf[4]->isEnabled());
    EXPECT_TRUE(fakes.windows.topmost[&a]);
    ASSERT_EQ(fakes.windows.activations.size(), 1u);
    EXPECT_EQ(fakes.windows.activations[0].first, &a);
    EXPECT_EQ(a.pos(), QPoint(clock().x() + clock().width() - 416, clock().y() + clock().height()));

    a.timeralarmTimer();
    EXPECT_TRUE(a.FlashPhase);
    a.timeralarmTimer();
    EXPECT_FALSE(a.FlashPhase);
    fakes.media.mediaPosition = 400;
    a.timeralarmTimer();
    EXPECT_TRUE(a.isVisible()) << "half way";

    fakes.media.finish();
    EXPECT_FALSE(a.isVisible()) << "the end hides the window";
    EXPECT_TRUE(a.stal->isEnabled()) << "the stop action comes with the next flash";
    a.timeralarmTimer();
    EXPECT_EQ(std::vector<std::string>(fakes.media.calls.begin() + 2, fakes.media.calls.end()),
              (std::vector<std::string>{"stop", "rewind", "close"}));
    EXPECT_FALSE(a.stal->isEnabled());
    EXPECT_FALSE(a.timeralarm->isEnabled());
    EXPECT_FALSE(a.FlashPhase);
    EXPECT_EQ(fakes.tones.beepStops, 1) << "the beep sounds on after the alarm";
    EXPECT_TRUE(a.stbtnOK->isEnabled() && a.stbtnCancel->isEnabled() && rowsEnabled(1) && rowsEnabled(17));
    EXPECT_FALSE(fakes.windows.topmost[&a]);
}

TEST_F(AlarmDialog, AnUnplayableFileRingsWithItsBeepUntilTheHotkeyStopsIt) {
    writeSettings("[alarm1]\nison=1\nhour=0\nminute=0\nsound=None\n"
                  "[alarm4]\nison=1\nhour=0\nminute=0\nsound=/no/such.mp3\n");
    start();
    Tfrmalarm& a = alarm();
    tickInto(0, 0, 1);
    EXPECT_EQ(fakes.tones.played.size(), 2u) << "one beep per due row";
    EXPECT_EQ(fakes.media.calls, (std::vector<std::string>{"open None", "open /no/such.mp3"}));
    for (int flash = 0; flash < 5; ++flash)
        a.timeralarmTimer();
    EXPECT_TRUE(a.isVisible());
    EXPECT_TRUE(fakes.dialogs.boxes.empty());

    fakes.hotKeys.press(platform::ModCtrl, 0x70); // Ctrl+F1
    QTest::qWait(10);
    EXPECT_FALSE(a.isVisible());
    EXPECT_FALSE(a.timeralarm->isEnabled());
    EXPECT_TRUE(rowsEnabled(1));
    EXPECT_EQ(fakes.tones.beepStops, 1);
    fakes.hotKeys.press(platform::ModCtrl, 0x70); // nothing rings: nothing happens
    QTest::qWait(10);
    EXPECT_FALSE(a.isVisible());
    EXPECT_TRUE(fakes.dialogs.boxes.empty());
}

TEST_F(AlarmDialog, ClosingTheRingingWindowStopsTheAlarm) {
    writeSettings("[alarm3]\nison=1\nhour=6\nminute=0\nsound=None\n");
    start();
    tickInto(6, 0, 0);
    ASSERT_TRUE(alarm().isVisible());
    alarm().close(); // as Alt+F4 asks
    EXPECT_FALSE(alarm().isVisible());
    EXPECT_FALSE(alarm().timeralarm->isEnabled());
    EXPECT_TRUE(alarm().stbtnOK->isEnabled() && rowsEnabled(3));
}

TEST_F(AlarmDialog, AFailingStopStillClosesTheFileAndTheWindow) {
    const QString song = makeFile(QStringLiteral("song.wav"));
    fakes.media.playable = {song.toStdString()};
    writeSettings("[alarm8]\nison=1\nhour=12\nminute=0\nsound=" + song.toStdString() + "\n");
    start();
    Tfrmalarm& a = alarm();
    tickInto(12, 0, 0);
    a.timeralarmTimer();
    fakes.media.failStop = true;
    a.stalMouseUp(Qt::LeftButton, {}, 5, 5);
    EXPECT_FALSE(a.isVisible());
    EXPECT_FALSE(fakes.media.isOpen());
    EXPECT_FALSE(a.timeralarm->isEnabled());
    EXPECT_FALSE(a.FlashPhase);
    EXPECT_TRUE(a.stbtnOK->isEnabled() && rowsEnabled(8));
}

TEST_F(AlarmDialog, ARowDueDuringEditingShowsTheFileAndStoppingCancelsTheEdits) {
    writeSettings("[alarm6]\nison=1\nhour=9\nminute=15\nsound=None\n");
    start();
    openAlarm([&](Tfrmalarm& a) {
        a.edh[6]->setText(QStringLiteral("10"));
        tickInto(9, 15, 0);
        EXPECT_EQ(a.edh[6]->text(), QStringLiteral("09")) << "refilled from the file";
        EXPECT_FALSE(a.stbtnOK->isEnabled());
        a.stalMouseUp(Qt::LeftButton, {}, 0, 0);
        return a.result();
    });
    EXPECT_EQ(settings().AlarmHour[6], 9);
    EXPECT_TRUE(alarm().stbtnOK->isEnabled());
}

TEST_F(AlarmDialog, RingingTakesTheInputAboveAnOpenBoxOfTheProgram) {
    writeSettings("[alarm1]\nison=1\nhour=5\nminute=0\nsound=None\n");
    start();
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Warning"), QStringLiteral("battery"));
    box.setWindowModality(Qt::ApplicationModal);
    box.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &box);
    tickInto(5, 0, 0);
    EXPECT_EQ(QApplication::activeModalWidget(), &alarm()) << "STOP ALARM must be clickable";
    alarm().stalMouseUp(Qt::LeftButton, {}, 0, 0);
    EXPECT_EQ(QApplication::activeModalWidget(), &box);
    EXPECT_EQ(alarm().windowModality(), Qt::NonModal);
    box.hide();
}

TEST_F(AlarmDialog, StopAlarmTakesAClickWhileABoxOpenedDuringTheRingIsOpen) {
    writeSettings("[alarm1]\nison=1\nhour=5\nminute=0\nsound=None\n");
    start();
    tickInto(5, 0, 0);
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), QStringLiteral("opened while ringing"));
    box.setWindowModality(Qt::ApplicationModal); // as exec() does
    box.show();
    EXPECT_TRUE(fakes.windows.topmost[&box]) << "above the ringing window";
    clickStopAlarm();
    EXPECT_FALSE(alarm().stal->isEnabled()) << "the click reached STOP ALARM";
    EXPECT_FALSE(fakes.windows.topmost[&box]);
    box.hide();
}

TEST_F(AlarmDialog, ARingClosesTheTablesOwnBoxesSoStopAlarmTakesAClick) {
    writeSettings("[alarm2]\nison=1\nhour=8\nminute=0\nsound=None\n");
    start();
    bool boxOpen = true;
    fakes.dialogs.modalRun = [&](QDialog&) {
        alarm().setWindowModality(Qt::ApplicationModal);
        alarm().show();
        QDialog fileBox(&alarm()); // the table's file dialog
        fileBox.setWindowModality(Qt::ApplicationModal);
        fileBox.show();
        // The error box of an edit: the program's boxes have no parent, and exec() makes them modal.
        QMessageBox errorBox(QMessageBox::Critical, QStringLiteral("Error"), QStringLiteral("not a number"));
        errorBox.setWindowModality(Qt::ApplicationModal);
        errorBox.show();
        tickInto(8, 0, 0);
        boxOpen = fileBox.isVisible() || errorBox.isVisible();
        clickStopAlarm();
        return alarm().result();
    };
    ClockParts(clock()).Alarm1->trigger();
    EXPECT_FALSE(boxOpen);
    EXPECT_FALSE(alarm().stal->isEnabled()) << "the click reached STOP ALARM";
}

TEST(AlarmPlacement, BelowTheClockOrAboveItWhenItSitsLow) {
    const QRect work(0, 0, 1024, 740);
    const QSize size(416, 468);
    EXPECT_EQ(Tfrmalarm::PlaceBelow(QRect(941, 0, 83, 44), size, work), QRect(608, 44, 416, 468));
    EXPECT_EQ(Tfrmalarm::PlaceBelow(QRect(941, 690, 83, 44), size, work), QRect(608, 690 - 468, 416, 468));
    EXPECT_EQ(Tfrmalarm::PlaceBelow(QRect(0, 300, 83, 44), size, work), QRect(0, 272, 416, 468))
        << "pushed in from the left edge and up from the bottom";
}

} // namespace
