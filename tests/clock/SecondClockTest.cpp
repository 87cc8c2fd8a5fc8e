#include "ClockFixture.h"
#include "app/DialtopApplication.h"
#include "clock/frmcountryU.h"
#include "settings/ProfileStorage.h"
#include "support/ClockParts.h"
#include "ui/TextButton.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>

#include <fstream>

namespace {

class SecondClock : public ClockFixture {
protected:
    void SetUp() override {
        ClockFixture::SetUp();
        fakes.windows.screen = QRect(0, 0, 1024, 768);
        fakes.windows.work = QRect(0, 0, 1000, 740); // a panel at the right
    }

    void writeSettings(const std::string& text) {
        std::ofstream(folder.filePath(QStringLiteral("settings.ini")).toStdString()) << text;
    }
    std::string settingsPath() const { return folder.filePath(QStringLiteral("settings.ini")).toStdString(); }

    Tfrmcountry& dialog() { return program->countryDialog(); }

    // Runs the country dialog, letting `edit` act on it while it is open; the dialog's own buttons end it.
    void runDialog(const std::function<void(Tfrmcountry&)>& edit, TTextButton* Tfrmcountry::*button) {
        fakes.dialogs.modalRun = [&](QDialog& shown) {
            auto& country = static_cast<Tfrmcountry&>(shown);
            opened = country.geometry();
            edit(country);
            QTest::mousePress(country.*button, Qt::LeftButton);
            QTest::mouseRelease(country.*button, Qt::LeftButton);
            return country.result();
        };
        auto& app = *static_cast<DialtopApplication*>(qApp);
        app.reportErrorsTo(fakes.dialogs);
        ClockParts(clock()).menuCountrySettings->trigger();
        app.setErrorReporter(nullptr);
    }

    QRect opened;
};

TEST_F(SecondClock, TheToggleAppliesItsRulesInOrder) {
    start();
    clock().move(300, 200);
    clock().lblotherMouseUp();
    EXPECT_EQ(clock().geometry(), QRect(300, 200, 156, 44)) << "in the middle the left edge stays";
    EXPECT_EQ(ClockParts(clock()).boxout->width(), 154);
    EXPECT_EQ(ClockParts(clock()).boxin->width(), 148);
    EXPECT_EQ(ClockParts(clock()).lblother->toolTip(), QStringLiteral("Hide Additional Country's Time"));
    EXPECT_FALSE(clock().Docked);
    clock().lblotherMouseUp();
    EXPECT_EQ(ClockParts(clock()).boxout->width(), 81);
    EXPECT_EQ(ClockParts(clock()).boxin->width(), 75);
    EXPECT_EQ(ClockParts(clock()).lblother->toolTip(), QStringLiteral("Show Additional Country's Time"));

    // 6 pixels from the work area's right edge and 5 from the top: docked, pulled into the corner.
    clock().move(1000 - 83 - 6, 5);
    clock().lblotherMouseUp();
    EXPECT_TRUE(clock().Docked);
    EXPECT_EQ(clock().pos(), QPoint(1024 - 156, 0));
    clock().lblotherMouseUp();
    EXPECT_EQ(clock().pos(), QPoint(1024 - 83, 0));

    // 8 from the top: not docked; the new right edge leaves the work area, so it ends at the screen's.
    clock().move(1000 - 83 - 6, 8);
    clock().lblotherMouseUp();
    EXPECT_FALSE(clock().Docked);
    EXPECT_EQ(clock().pos(), QPoint(1024 - 156, 8));

    clock().lblotherMouseUp();
    clock().move(100, -20);
    clock().lblotherMouseUp();
    EXPECT_EQ(clock().pos(), QPoint(100, 0)) << "never above the screen";
}

TEST_F(SecondClock, ASavedExpandedViewOpensExpandedInTheCorner) {
    writeSettings("[timedif]\nminutes=-120\ncountry=Lisbon\nshowexpanded=1\n");
    start();
    EXPECT_EQ(clock().geometry(), QRect(1024 - 156, 0, 156, 44));
    EXPECT_EQ(ClockParts(clock()).lblother->text(), QStringLiteral("<"));
    tickAt(1, 0, 0);
    EXPECT_EQ(ClockParts(clock()).diallabel2->text(), QStringLiteral("23:00:00"));
    EXPECT_EQ(ClockParts(clock()).lblcountry->text(), QStringLiteral("Lisbon"));
}

// Beside a monitor on its left, or below one: the same rules from the primary screen's origin.
TEST_F(SecondClock, TheToggleKeepsToAPrimaryScreenAwayFromTheDesktopsOrigin) {
    writeSettings("[timedif]\nshowexpanded=1\n");
    for (const QPoint origin : {QPoint(1920, 0), QPoint(0, 1080)}) {
        SCOPED_TRACE(testing::Message() << origin.x() << "," << origin.y());
        fakes.windows.screen = QRect(origin, QSize(1024, 768));
        fakes.windows.work = QRect(origin, QSize(1000, 740));
        start();
        EXPECT_EQ(clock().pos(), origin + QPoint(1024 - 156, 0));
        clock().lblotherMouseUp();
        EXPECT_TRUE(clock().Docked);
        EXPECT_EQ(clock().pos(), origin + QPoint(1024 - 83, 0)) << "still in the corner";

        clock().move(origin + QPoint(1000 - 83 - 6, 8));
        clock().lblotherMouseUp();
        EXPECT_FALSE(clock().Docked);
        EXPECT_EQ(clock().pos(), origin + QPoint(1024 - 156, 8));
        clock().lblotherMouseUp();
        clock().move(origin + QPoint(100, -20));
        clock().lblotherMouseUp();
        EXPECT_EQ(clock().pos(), origin + QPoint(100, 0));
        program.reset();
    }
}

TEST_F(SecondClock, ConfirmingAppliesAndSavesWithoutChangingTheView) {
    writeSettings("[timedif]\nminutes=30\ncountry=Ioannina Town\n");
    start();
    clock().move(500, 100);
    runDialog(
        [this](Tfrmcountry& country) {
            EXPECT_EQ(country.edcountry->text(), QStringLiteral("Ioannina Town")) << "shown whole, as read";
            EXPECT_EQ(country.edminutes->text(), QStringLiteral("30"));
            EXPECT_FALSE(country.cbExpanded->isChecked());
            country.edminutes->setText(QStringLiteral("-90"));
            country.cbExpanded->setChecked(true);
        },
        &Tfrmcountry::stbtnOK);
    EXPECT_EQ(opened, QRect(500 - (187 - 83), 100 + 44, 187, 83)) << "under the clock, right edges aligned";
    EXPECT_EQ(settings().CountryName, QStringLiteral("Ioannina Town")) << "not cut at 11 characters";
    EXPECT_EQ(settings().TimeDifference, -90);
    EXPECT_TRUE(settings().ShowExpanded);
    EXPECT_EQ(ClockParts(clock()).lblcountry->text(), QStringLiteral("Ioannina Town"));
    EXPECT_EQ(clock().width(), 83) << "confirming does not expand";
    const ProfileFile saved = LoadProfileFile(settingsPath()).file;
    EXPECT_EQ(saved.readInteger("timedif", "minutes", 0), -90);
    EXPECT_EQ(saved.readText("timedif", "country", ""), "Ioannina Town");
    EXPECT_TRUE(saved.readBool("timedif", "showexpanded", false));
}

TEST_F(SecondClock, CancelChangesNothing) {
    start();
    runDialog([](Tfrmcountry& country) { country.edcountry->setText(QStringLiteral("Elsewhere")); },
              &Tfrmcountry::stbtnCancel);
    EXPECT_EQ(settings().CountryName, QStringLiteral("Vazezo"));
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("settings.ini"))));
}

TEST_F(SecondClock, ABadDifferenceStopsAfterTheNameAndSavesNothing) {
    start();
    runDialog(
        [](Tfrmcountry& country) {
            country.edcountry->setText(QStringLiteral("Athens"));
            country.edminutes->setText(QStringLiteral("abc"));
            country.cbExpanded->setChecked(true);
        },
        &Tfrmcountry::stbtnOK);
    EXPECT_EQ(fakes.dialogs.texts(fake::Dialogs::Kind::Error),
              std::vector<QString>{QStringLiteral("'abc' is not a valid integer value.")});
    EXPECT_EQ(settings().CountryName, QStringLiteral("Athens"));
    EXPECT_EQ(settings().TimeDifference, 0);
    EXPECT_FALSE(settings().ShowExpanded);
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("settings.ini"))));
}

TEST_F(SecondClock, TheNameTakesElevenTypedCharactersAndALongerOneOnlyShrinks) {
    start();
    QLineEdit* name = dialog().edcountry;
    dialog().SetCountryName(QString());
    QTest::keyClicks(name, QStringLiteral("ABCDEFGHIJKLMN"));
    EXPECT_EQ(name->text(), QStringLiteral("ABCDEFGHIJK"));

    dialog().SetCountryName(QStringLiteral("Ioannina Town"));
    EXPECT_EQ(name->text(), QStringLiteral("Ioannina Town"));
    name->end(false);
    QTest::keyClicks(name, QStringLiteral("X"));
    EXPECT_EQ(name->text(), QStringLiteral("Ioannina Town"));
    QTest::keyClick(name, Qt::Key_Backspace);
    QTest::keyClicks(name, QStringLiteral("X"));
    EXPECT_EQ(name->text(), QStringLiteral("Ioannina Tow")) << "12 characters cannot be typed";
    QTest::keyClick(name, Qt::Key_Backspace);
    QTest::keyClick(name, Qt::Key_Backspace);
    QTest::keyClicks(name, QStringLiteral("XY"));
    EXPECT_EQ(name->text(), QStringLiteral("Ioannina TX"));
}

TEST_F(SecondClock, TheDifferenceIsNormalisedWhenItReallyLosesTheFocus) {
    start();
    QLineEdit* minutes = dialog().edminutes;
    const auto leave = [minutes](Qt::FocusReason reason) {
        QFocusEvent out(QEvent::FocusOut, reason);
        QApplication::sendEvent(minutes, &out);
        return minutes->text();
    };
    for (const auto& [typed, shown] : std::vector<std::pair<QString, QString>>{
             {"007", "7"}, {"-30", "-30"}, {"abc", "0"}, {"$1F", "31"}, {"99999999999", "0"}, {"", "0"}}) {
        minutes->setText(typed);
        EXPECT_EQ(leave(Qt::TabFocusReason), shown) << typed.toStdString();
    }
    minutes->setText(QStringLiteral("007"));
    EXPECT_EQ(leave(Qt::ActiveWindowFocusReason), QStringLiteral("007")) << "another window was activated";
}

TEST_F(SecondClock, LabelsMoveTheDialogAndNeverToggleTheBox) {
    start();
    for (QWidget* part : {static_cast<QWidget*>(dialog().Label1), static_cast<QWidget*>(dialog().lblname),
                          static_cast<QWidget*>(dialog().Shape1), static_cast<QWidget*>(&dialog())}) {
        QTest::mouseClick(part, Qt::LeftButton, {}, QPoint(3, 3));
        QTest::mouseClick(part, Qt::RightButton, {}, QPoint(3, 3));
    }
    EXPECT_FALSE(dialog().cbExpanded->isChecked());
    EXPECT_EQ(std::count(fakes.windows.systemMoves.begin(), fakes.windows.systemMoves.end(), &dialog()), 4)
        << "left presses only";
}

} // namespace
