#include "clock/ClockFixture.h"
#include "clock/DialtopApplication.h"
#include "power/frmcustskedU.h"
#include "sysinfo/frmAboutU.h"
#include "ui/MessageTimer.h"
#include "ui/TextButton.h"

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

namespace {

using Kind = fake::Dialogs::Kind;

const QString ShutdownNowText = QStringLiteral(
    "Your System Will ShutDown IMMEDIATELY.\n\rYou WILL NOT Have The Ability To Abort!\n\rAre You Sure?");

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
        QAction* action = clock().PopupMenu1->findChild<QAction*>(QString::fromLatin1(item));
        ASSERT_NE(action, nullptr) << item;
        action->trigger();
    }

    QColor clockColour() { return clock().DialLabel->palette().color(QPalette::WindowText); }
    QString shutdownAt() { return program->forms().frmabout->lblshutdownafter->text(); }
    QString rebootAt() { return program->forms().frmabout->lblrebootafter->text(); }
    Tfrmcustsked& custom() { return *program->forms().frmcustsked; }

    static void press(QWidget* widget, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(widget, button, Qt::NoModifier, QPoint(2, 2));
        QTest::mouseRelease(widget, button, Qt::NoModifier, QPoint(2, 2));
    }

    // The custom dialog's run: `compose` sets the values, then OK is pressed and the answers decide.
    void runCustomWith(std::function<void(Tfrmcustsked&)> compose) {
        fakes.dialogs.modalRun = [compose](QDialog& dialog) {
            auto& sked = static_cast<Tfrmcustsked&>(dialog);
            dialog.setResult(QDialog::Rejected);
            compose(sked);
            return dialog.result();
        };
    }
};

TEST_F(ScheduleWindow, APresetFromTheMenuArmsTheShutdownAndAbortDisarmsIt) {
    EXPECT_EQ(shutdownAt(), QStringLiteral("Not Sceduled"));
    EXPECT_FALSE(clock().timerOff->isEnabled());

    choose("menuS10Minutes");
    EXPECT_TRUE(clock().timerOff->isEnabled());
    EXPECT_EQ(clock().timerOff->interval(), 600000u);
    EXPECT_EQ(clockColour(), QColor(128, 128, 128));
    EXPECT_EQ(shutdownAt(), QStringLiteral("14:15:00"));
    EXPECT_EQ(rebootAt(), QStringLiteral("Not Scheduled"));

    choose("menuSABORT");
    EXPECT_FALSE(clock().timerOff->isEnabled());
    EXPECT_EQ(clockColour(), QColor(0xE4, 0xC1, 0x56));
    EXPECT_EQ(shutdownAt(), QStringLiteral("Not Scheduled"));
    EXPECT_TRUE(fakes.powerActions.requests.empty());
}

TEST_F(ScheduleWindow, NowAnsweredNoChangesNothingAndYesRequestsWithinATenthOfASecond) {
    choose("menuRNow");
    fakes.dialogs.confirmAnswers = {false};
    choose("menuSNow");
    ASSERT_EQ(fakes.dialogs.boxes.size(), 2u);
    EXPECT_EQ(fakes.dialogs.boxes[1].title, QStringLiteral("Confirm"));
    EXPECT_EQ(fakes.dialogs.boxes[1].text, ShutdownNowText);
    EXPECT_FALSE(clock().timerOff->isEnabled());
    EXPECT_FALSE(clock().timerreboot->isEnabled());
    EXPECT_EQ(shutdownAt(), QStringLiteral("Not Sceduled"));

    fakes.dialogs.confirmAnswers = {true};
    choose("menuSNow");
    EXPECT_EQ(clock().timerOff->interval(), 100u);
    EXPECT_EQ(shutdownAt(), QStringLiteral("14:05:00"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !fakes.powerActions.requests.empty(); }, 2000));
    EXPECT_EQ(fakes.powerActions.requests.front(), platform::PowerAction::PowerOff);
}

TEST_F(ScheduleWindow, CustomRebootIsPlacedUnderTheClockAndArmsWhite) {
    choose("menuS5Minutes");
    fakes.dialogs.confirmAnswers = {true};
    runCustomWith([](Tfrmcustsked& sked) {
        sked.JvtbminUp->click();
        sked.JvtbsecUp->click();
        press(sked.stbtnOK);
    });
    choose("menuRCustom");
    EXPECT_EQ(custom().width(), 100);
    EXPECT_EQ(custom().pos(), QPoint(clock().x() + 83 - 100, clock().y() + 44));
    EXPECT_EQ(fakes.dialogs.texts(Kind::Confirm),
              std::vector<QString>{QStringLiteral(
                  "Your System Will Reboot in 00 hours, 01 minutes and 01 seconds.\n\rAre You Sure?")});
    EXPECT_FALSE(clock().timerOff->isEnabled());
    EXPECT_EQ(shutdownAt(), QStringLiteral("Not Scheduled"));
    EXPECT_TRUE(clock().timerreboot->isEnabled());
    EXPECT_EQ(clock().timerreboot->interval(), 61000u);
    EXPECT_EQ(clockColour(), QColor(255, 255, 255));
    EXPECT_EQ(rebootAt(), QStringLiteral("14:06:01"));
}

TEST_F(ScheduleWindow, CustomCancelledOrAnsweredNoChangesNothing) {
    choose("menuS5Minutes");
    runCustomWith([](Tfrmcustsked& sked) { press(sked.stbtnCancel); });
    choose("menuRCustom");
    EXPECT_TRUE(fakes.dialogs.boxes.empty()) << "CANCEL asked something";

    // No keeps the dialog open; the user may change the delay and confirm again.
    fakes.dialogs.confirmAnswers = {false};
    runCustomWith([](Tfrmcustsked& sked) {
        press(sked.stbtnOK);
        EXPECT_NE(sked.result(), QDialog::Accepted);
    });
    choose("menuRCustom");
    EXPECT_EQ(fakes.dialogs.texts(Kind::Confirm).size(), 1u);
    EXPECT_TRUE(clock().timerOff->isEnabled());
    EXPECT_EQ(clock().timerOff->interval(), 300000u);
    EXPECT_FALSE(clock().timerreboot->isEnabled());
    EXPECT_EQ(rebootAt(), QStringLiteral("Not Scheduled"));
}

TEST_F(ScheduleWindow, CustomZeroIsArmedAndNeverFires) {
    fakes.dialogs.confirmAnswers = {true};
    runCustomWith([](Tfrmcustsked& sked) { press(sked.stbtnOK); });
    choose("menuSCustom");
    EXPECT_TRUE(clock().timerOff->isEnabled());
    EXPECT_EQ(clock().timerOff->interval(), 0u);
    EXPECT_EQ(shutdownAt(), QStringLiteral("14:05:00"));
    QTest::qWait(300);
    EXPECT_TRUE(fakes.powerActions.requests.empty());
}

TEST_F(ScheduleWindow, ADelayBeyondTheIntervalIsRefusedInTheErrorBox) {
    choose("menuRNow");
    fakes.dialogs.confirmAnswers = {true};
    runCustomWith([](Tfrmcustsked& sked) {
        sked.lblhours->setText(QStringLiteral("596"));
        sked.lblmins->setText(QStringLiteral("31"));
        sked.lblsecs->setText(QStringLiteral("24"));
        press(sked.stbtnOK);
    });
    choose("menuSCustom");
    EXPECT_EQ(fakes.dialogs.texts(Kind::Error), std::vector<QString>{QStringLiteral("Integer overflow.")});
    EXPECT_FALSE(clock().timerreboot->isEnabled()) << "the reboot is disarmed before the refusal";
    EXPECT_FALSE(clock().timerOff->isEnabled());
}

TEST_F(ScheduleWindow, ACountdownRunsOutInsideTheCustomDialog) {
    fakes.dialogs.confirmAnswers = {true};
    choose("menuRNow");
    runCustomWith([&](Tfrmcustsked&) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return !fakes.powerActions.requests.empty(); }, 2000));
    });
    choose("menuSCustom");
    ASSERT_FALSE(fakes.powerActions.requests.empty());
    EXPECT_EQ(fakes.powerActions.requests.front(), platform::PowerAction::Reboot);
    EXPECT_TRUE(clock().timerreboot->isEnabled()) << "a cancelled custom run disarmed the reboot";
}

class CustomDialog : public ScheduleWindow {};

TEST_F(CustomDialog, StepsStopAtTheirLimitsWithoutWrappingOrCarrying) {
    Tfrmcustsked& sked = custom();
    sked.JvtbhourDown->click();
    sked.JvtbminDown->click();
    sked.JvtbsecDown->click();
    EXPECT_EQ(sked.lblhours->text() + sked.lblmins->text() + sked.lblsecs->text(), QStringLiteral("000000"));

    sked.lblhours->setText(QStringLiteral("99"));
    sked.lblmins->setText(QStringLiteral("58"));
    sked.lblsecs->setText(QStringLiteral("59"));
    sked.JvtbhourUp->click();
    sked.JvtbminUp->click();
    sked.JvtbminUp->click();
    sked.JvtbsecUp->click();
    EXPECT_EQ(sked.lblhours->text(), QStringLiteral("100"));
    EXPECT_EQ(sked.lblmins->text(), QStringLiteral("59"));
    EXPECT_EQ(sked.lblsecs->text(), QStringLiteral("59"));
    sked.JvtbsecDown->click();
    EXPECT_EQ(sked.lblsecs->text(), QStringLiteral("58"));
    EXPECT_EQ(sked.lblmins->text(), QStringLiteral("59"));
}

TEST_F(CustomDialog, KeepsItsValuesFromAShutdownToAReboot) {
    fakes.dialogs.confirmAnswers = {true, true};
    runCustomWith([](Tfrmcustsked& sked) {
        sked.JvtbhourUp->click();
        press(sked.stbtnOK);
    });
    choose("menuSCustom");
    runCustomWith([](Tfrmcustsked& sked) { press(sked.stbtnOK, Qt::RightButton); });
    choose("menuRCustom");
    EXPECT_EQ(
        fakes.dialogs.texts(Kind::Confirm).back(),
        QStringLiteral("Your System Will Reboot in 01 hours, 00 minutes and 00 seconds.\n\rAre You Sure?"));
    EXPECT_EQ(clock().timerreboot->interval(), 3600000u);
}

TEST_F(CustomDialog, TheFaceMovesTheDialogButNotTheFrameOrTheButtons) {
    Tfrmcustsked& sked = custom();
    sked.show();
    for (QWidget* still : std::initializer_list<QWidget*>{sked.Shape1, sked.stbtnOK, sked.JvtbhourUp})
        press(still);
    EXPECT_TRUE(fakes.windows.systemMoves.empty());
    press(sked.lblmins, Qt::RightButton);
    EXPECT_TRUE(fakes.windows.systemMoves.empty()) << "a right press moved";
    press(sked.lblmins);
    QTest::mouseClick(&sked, Qt::LeftButton, Qt::NoModifier, QPoint(0, 0));
    EXPECT_EQ(fakes.windows.systemMoves, (std::vector<const QWidget*>{&sked, &sked}));
    sked.hide();
}

} // namespace
