#include "app/DialtopApplication.h"
#include "clock/ClockFixture.h"
#include "power/frmcustskedU.h"
#include "support/ClockParts.h"
#include "sysinfo/frmAboutU.h"
#include "ui/MessageTimer.h"
#include "ui/TextButton.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QTest>

namespace {

using Kind = fake::Dialogs::Kind;

class ScheduleWindow : public ClockFixture {
protected:
    void SetUp() override {
        ClockFixture::SetUp();
        start();
        app().reportErrorsTo(fakes.dialogs);
    }
    void TearDown() override { app().setErrorReporter(nullptr); }
    static DialtopApplication& app() { return *static_cast<DialtopApplication*>(qApp); }

    void choose(const char* item) {
        ClockParts(clock()).PopupMenu1->findChild<QAction*>(QString::fromLatin1(item))->trigger();
    }
    QColor clockColour() { return ClockParts(clock()).DialLabel->palette().color(QPalette::WindowText); }
    QString shutdownAt() { return program->informationWindow().lblshutdownafter->text(); }
    QString rebootAt() { return program->informationWindow().lblrebootafter->text(); }
    Tfrmcustsked& custom() { return program->customScheduleDialog(); }

    static void press(QWidget* widget, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(widget, button, Qt::NoModifier, QPoint(2, 2));
    }

    // The custom dialog's modal run does `steps` on the dialog; its result is the run's.
    void runCustomWith(std::function<void(Tfrmcustsked&)> steps) {
        fakes.dialogs.modalRun = [steps](QDialog& dialog) {
            dialog.setResult(QDialog::Rejected);
            steps(static_cast<Tfrmcustsked&>(dialog));
            return dialog.result();
        };
    }
};

TEST_F(ScheduleWindow, APresetArmsTheShutdownAndAbortDisarmsIt) {
    EXPECT_EQ(shutdownAt(), QStringLiteral("Not Sceduled"));
    choose("menuS10Minutes");
    EXPECT_TRUE(ClockParts(clock()).timerOff->isEnabled());
    EXPECT_EQ(ClockParts(clock()).timerOff->interval(), 600000u);
    EXPECT_EQ(clockColour(), QColor(128, 128, 128));
    EXPECT_EQ(shutdownAt(), QStringLiteral("14:15:00"));
    EXPECT_EQ(rebootAt(), QStringLiteral("Not Scheduled"));

    choose("menuSABORT");
    EXPECT_FALSE(ClockParts(clock()).timerOff->isEnabled());
    EXPECT_EQ(clockColour(), QColor(0xE4, 0xC1, 0x56));
    EXPECT_EQ(shutdownAt(), QStringLiteral("Not Scheduled"));
}

TEST_F(ScheduleWindow, NowAnsweredNoChangesNothingAndYesRequestsATenthOfASecondLater) {
    choose("menuSNow");
    EXPECT_EQ(fakes.dialogs.boxes.at(0).title, QStringLiteral("Confirm"));
    EXPECT_EQ(fakes.dialogs.boxes.at(0).text,
              QStringLiteral("Your System Will ShutDown IMMEDIATELY.\n\rYou WILL NOT "
                             "Have The Ability To Abort!\n\rAre You Sure?"));
    EXPECT_FALSE(ClockParts(clock()).timerOff->isEnabled());
    EXPECT_EQ(shutdownAt(), QStringLiteral("Not Sceduled"));

    fakes.dialogs.confirmAnswers = {true};
    choose("menuRNow");
    EXPECT_EQ(ClockParts(clock()).timerreboot->interval(), 100u);
    EXPECT_EQ(rebootAt(), QStringLiteral("14:05:00"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !fakes.powerActions.requests.empty(); }, 2000));
    EXPECT_EQ(fakes.powerActions.requests.front(), platform::PowerAction::Reboot);
}

TEST_F(ScheduleWindow, CustomRunsUnderTheClockKeepsItsValuesAndArmsTheRebootWhite) {
    fakes.dialogs.confirmAnswers = {true, true};
    runCustomWith([](Tfrmcustsked& sked) {
        sked.JvtbminUp->click();
        press(sked.stbtnOK);
    });
    choose("menuSCustom");
    runCustomWith([](Tfrmcustsked& sked) {
        sked.JvtbsecUp->click();
        press(sked.stbtnOK, Qt::RightButton);
    });
    choose("menuRCustom");
    EXPECT_EQ(custom().width(), 100);
    EXPECT_EQ(custom().pos(), QPoint(clock().x() + 83 - 100, clock().y() + 44));
    EXPECT_EQ(
        fakes.dialogs.texts(Kind::Confirm).back(),
        QStringLiteral("Your System Will Reboot in 00 hours, 01 minutes and 01 seconds.\n\rAre You Sure?"));
    EXPECT_FALSE(ClockParts(clock()).timerOff->isEnabled());
    EXPECT_EQ(ClockParts(clock()).timerreboot->interval(), 61000u);
    EXPECT_EQ(clockColour(), QColor(255, 255, 255));
    EXPECT_EQ(rebootAt(), QStringLiteral("14:06:01"));
}

TEST_F(ScheduleWindow, CustomCancelledOrAnsweredNoChangesNothing) {
    choose("menuS5Minutes");
    runCustomWith([](Tfrmcustsked& sked) { press(sked.stbtnCancel); });
    choose("menuRCustom");
    EXPECT_TRUE(fakes.dialogs.boxes.empty()) << "CANCEL asked something";
    // No keeps the dialog open: the run is not ended.
    runCustomWith([](Tfrmcustsked& sked) {
        press(sked.stbtnOK);
        EXPECT_NE(sked.result(), QDialog::Accepted);
    });
    choose("menuRCustom");
    EXPECT_EQ(fakes.dialogs.texts(Kind::Confirm).size(), 1u);
    EXPECT_EQ(ClockParts(clock()).timerOff->interval(), 300000u);
    EXPECT_TRUE(ClockParts(clock()).timerOff->isEnabled());
    EXPECT_FALSE(ClockParts(clock()).timerreboot->isEnabled());
}

TEST_F(ScheduleWindow, ADelayBeyondTheIntervalIsRefusedInTheErrorBox) {
    fakes.dialogs.confirmAnswers = {true, true};
    choose("menuRNow");
    runCustomWith([](Tfrmcustsked& sked) {
        sked.lblhours->setText(QStringLiteral("596"));
        sked.lblmins->setText(QStringLiteral("31"));
        sked.lblsecs->setText(QStringLiteral("24"));
        press(sked.stbtnOK);
    });
    choose("menuSCustom");
    EXPECT_EQ(fakes.dialogs.texts(Kind::Error), std::vector<QString>{QStringLiteral("Integer overflow.")});
    EXPECT_FALSE(ClockParts(clock()).timerreboot->isEnabled()) << "the reboot is disarmed before the refusal";
    EXPECT_FALSE(ClockParts(clock()).timerOff->isEnabled());
}

TEST_F(ScheduleWindow, ACountdownRunsOutInsideTheOpenCustomDialog) {
    fakes.dialogs.confirmAnswers = {true};
    choose("menuRNow");
    runCustomWith([&](Tfrmcustsked&) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return !fakes.powerActions.requests.empty(); }, 2000));
    });
    choose("menuSCustom");
    EXPECT_TRUE(ClockParts(clock()).timerreboot->isEnabled()) << "a cancelled run disarmed the reboot";
}

TEST_F(ScheduleWindow, TheDialogsStepsStopAtTheirLimitsWithoutWrappingOrCarrying) {
    Tfrmcustsked& sked = custom();
    for (QPushButton* down : {sked.JvtbhourDown, sked.JvtbminDown, sked.JvtbsecDown})
        down->click();
    EXPECT_EQ(sked.lblhours->text() + sked.lblmins->text() + sked.lblsecs->text(), QStringLiteral("000000"));
    sked.lblhours->setText(QStringLiteral("99"));
    sked.lblmins->setText(QStringLiteral("58"));
    sked.lblsecs->setText(QStringLiteral("59"));
    for (QPushButton* up : {sked.JvtbhourUp, sked.JvtbminUp, sked.JvtbminUp, sked.JvtbsecUp})
        up->click();
    sked.JvtbsecDown->click();
    EXPECT_EQ(sked.lblhours->text() + sked.lblmins->text() + sked.lblsecs->text(), QStringLiteral("1005958"));
}

TEST_F(ScheduleWindow, TheDialogsFaceMovesItButNotItsFrameOrButtons) {
    Tfrmcustsked& sked = custom();
    sked.show();
    for (QWidget* still : std::initializer_list<QWidget*>{sked.Shape1, sked.stbtnOK, sked.JvtbhourUp})
        press(still);
    press(sked.lblmins, Qt::RightButton);
    EXPECT_TRUE(fakes.windows.systemMoves.empty());
    press(sked.lblmins);
    QTest::mouseClick(&sked, Qt::LeftButton, Qt::NoModifier, QPoint(0, 0));
    EXPECT_EQ(fakes.windows.systemMoves, (std::vector<const QWidget*>{&sked, &sked}));
    sked.hide();
}

} // namespace
