#include "alarms/frmalarmU.h"
#include "app/DialtopProgram.h"
#include "clock/formDialtop.h"
#include "fullscreen/frmSleepU.h"
#include "fullscreen/frmroseU.h"
#include "hotkeys/HotKeyPlan.h"
#include "hotkeys/HotKeyText.h"
#include "platform/fake/FakeServices.h"
#include "sysinfo/frmAboutU.h"
#include "ui/MessageTimer.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>

#include <gtest/gtest.h>
#include <memory>
#include <utility>

namespace {

using platform::ModAlt;
using platform::ModCtrl;
using platform::ModShift;
using Combination = std::pair<unsigned, unsigned>;

constexpr unsigned F(int n) {
    return 111 + n;
}

const QString Stop1 = "The Combination \"Ctrl+F1\" Is NOT Available to stop the Alarm. Trying \"Ctrl+F2\"...";
const QString Stop2 = "The Combination \"Ctrl+F2\" Is NOT Available to stop the Alarm. Trying \"Ctrl+F3\"...";
const QString Stop3 = "The Combination \"Ctrl+F3\" Is NOT Available to stop the Alarm. Trying \"Ctrl+F4\"...";
const QString Stop4 = "The Combination \"Ctrl+F4\" Is NOT Available to stop the Alarm. Trying \"Ctrl+F5\"...";
const QString Stop5 = "The Combination \"Ctrl+F5\" Is NOT Available to stop the Alarm. Trying \"Ctrl+F6\"...";
const QString Stop6 = "The Combination \"Ctrl+F6\" Is NOT Available to stop the Alarm. Trying \"Ctrl+F7\"...";
const QString StopGiveUp = "The Combination \"Ctrl+F7\" Is NOT Available. Giving Up. Stop Alarm Function By "
                           "Keyboard Is NOT Available";
const QString Penguin1 =
    "The Combination \"Alt+Ctrl+R\" Is NOT Available to show Penguin. Trying \"Alt+Ctrl+F1\"...";
const QString Penguin2 =
    "The Combination \"Alt+Ctrl+F1\" Is NOT Available to show Penguin. Trying \"Alt+Ctrl+F2\"...";
const QString Penguin3 =
    "The Combination \"Alt+Ctrl+F2\" Is NOT Available to show Penguin. Trying \"Alt+Ctrl+F3\"...";
const QString Penguin4 =
    "The Combination \"Alt+Ctrl+F3\" Is NOT Available to show Penguin. Trying \"Alt+Ctrl+F4\"...";
const QString Penguin5 =
    "The Combination \"Alt+Ctrl+F4\" Is NOT Available to show Penguin. Trying \"Alt+Ctrl+F5\"...";
const QString Penguin6 =
    "The Combination \"Alt+Ctrl+F5\" Is NOT Available to show Penguin. Trying \"Alt+Ctrl+F6\"...";
const QString Penguin7 =
    "The Combination \"Alt+Ctrl+F6\" Is NOT Available to show Penguin. Trying \"Alt+Ctrl+F7\"...";
const QString PenguinGiveUp =
    "The Combination \"Alt+Ctrl+F7\" Is NOT Available to show Penguin. Giving Up. Focus "
    "on Dialtop and hit \"Alt+Ctrl+R\".";
const QString Blank1 = "The Combination \"Ctrl+Shift+F1\" Is NOT Available to blank your screen. Trying "
                       "\"Ctrl+Shift+F2\"...";
const QString BlankGiveUp = "The Combination \"Ctrl+Shift+F2\" Is NOT Available to blank your screen.";

std::vector<Combination> StopKeys() {
    std::vector<Combination> keys;
    for (int n = 1; n <= 7; ++n)
        keys.push_back({ModCtrl, F(n)});
    return keys;
}

std::vector<Combination> PenguinKeys() {
    std::vector<Combination> keys = {{ModAlt | ModCtrl, 'R'}};
    for (int n = 1; n <= 7; ++n)
        keys.push_back({ModAlt | ModCtrl, F(n)});
    return keys;
}

const std::vector<Combination> BlankKeys = {{ModCtrl | ModShift, F(1)}, {ModCtrl | ModShift, F(2)}};

std::vector<Combination> operator+(std::vector<Combination> a, const std::vector<Combination>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class HotKeyRegistration : public testing::Test {
protected:
    void start(const std::vector<Combination>& taken) {
        fakes.hotKeys.taken.insert(taken.begin(), taken.end());
        program = std::make_unique<DialtopProgram>(fakes.services());
    }

    Tdialform& clock() { return program->clock(); }
    HotKeyPlan& plan() { return program->hotKeyPlan(); }

    fake::Services fakes;
    std::unique_ptr<DialtopProgram> program;
};

struct ChainCase {
    const char* name;
    std::vector<Combination> taken;
    std::vector<QString> messages;
    QString stopCaption;
    QString penguinCaption;
    bool stopHeld, penguinHeld, blankHeld;
};

TEST_F(HotKeyRegistration, ChainsTellAboutEachTakenCombinationAndSettle) {
    const ChainCase cases[] = {
        {"all free", {}, {}, "STOP ALARM (Ctrl+F1)", "(Alt+Ctrl+R)", true, true, true},
        {"Ctrl+F1 and Ctrl+F2 taken",
         {{ModCtrl, F(1)}, {ModCtrl, F(2)}},
         {Stop1, Stop2},
         "STOP ALARM (Ctrl+F3)",
         "(Alt+Ctrl+R)",
         true,
         true,
         true},
        {"every stop-alarm key taken",
         StopKeys(),
         {Stop1, Stop2, Stop3, Stop4, Stop5, Stop6, StopGiveUp},
         "STOP ALARM",
         "(Alt+Ctrl+R)",
         false,
         true,
         true},
        {"Alt+Ctrl+R taken",
         {{ModAlt | ModCtrl, 'R'}},
         {Penguin1},
         "STOP ALARM (Ctrl+F1)",
         "(Alt+Ctrl+F1)",
         true,
         true,
         true},
        {"every penguin key taken",
         PenguinKeys(),
         {Penguin1, Penguin2, Penguin3, Penguin4, Penguin5, Penguin6, Penguin7, PenguinGiveUp},
         "STOP ALARM (Ctrl+F1)",
         "(Alt+Ctrl+F7)",
         true,
         false,
         true},
        {"Ctrl+Shift+F1 taken",
         {BlankKeys[0]},
         {Blank1},
         "STOP ALARM (Ctrl+F1)",
         "(Alt+Ctrl+R)",
         true,
         true,
         true},
        {"every blank-screen key taken",
         BlankKeys,
         {Blank1, BlankGiveUp},
         "STOP ALARM (Ctrl+F1)",
         "(Alt+Ctrl+R)",
         true,
         true,
         false},
        {"everything taken",
         StopKeys() + PenguinKeys() + BlankKeys,
         {Stop1, Stop2, Stop3, Stop4, Stop5, Stop6, StopGiveUp, Penguin1, Penguin2, Penguin3, Penguin4,
          Penguin5, Penguin6, Penguin7, PenguinGiveUp, Blank1, BlankGiveUp},
         "STOP ALARM",
         "(Alt+Ctrl+F7)",
         false,
         false,
         false},
    };
    for (const ChainCase& c : cases) {
        SCOPED_TRACE(c.name);
        fakes.hotKeys.taken.clear();
        fakes.dialogs.boxes.clear();
        program.reset();
        start(c.taken);

        EXPECT_EQ(fakes.dialogs.texts(fake::Dialogs::Kind::Plain), c.messages);
        EXPECT_EQ(fakes.dialogs.boxes.size(), c.messages.size()) << "only plain boxes";
        for (const fake::Dialogs::Box& box : fakes.dialogs.boxes)
            EXPECT_EQ(box.title, "dialtop");
        EXPECT_EQ(plan().stopAlarmCaption(), c.stopCaption);
        EXPECT_EQ(plan().penguinKeyCaption(), c.penguinCaption);
        EXPECT_EQ(plan().stopAlarmKeyIndex() != 0, c.stopHeld);
        EXPECT_EQ(plan().penguinKeyIndex() != 0, c.penguinHeld);
        EXPECT_EQ(plan().blankKeyIndex() != 0, c.blankHeld);
        // Later windows copy the captions at their creation.
        EXPECT_EQ(program->alarmWindow().stal->text(), c.stopCaption);
        EXPECT_EQ(program->informationWindow().lblkey->text(), c.penguinCaption);
        EXPECT_EQ(fakes.hotKeys.held.size(), std::size_t(c.stopHeld + c.penguinHeld + c.blankHeld));
    }
}

TEST_F(HotKeyRegistration, EveryBoxIsShownBeforeTheClock) {
    std::vector<bool> clockVisible;
    fakes.dialogs.whileOpen = [&](const fake::Dialogs::Box&) {
        bool shown = false;
        for (QWidget* window : QApplication::topLevelWidgets())
            shown = shown || (window->objectName() == "dialform" && window->isVisible());
        clockVisible.push_back(shown);
    };
    start(StopKeys() + PenguinKeys() + BlankKeys);
    EXPECT_EQ(clockVisible, std::vector<bool>(17, false));
    EXPECT_TRUE(clock().isVisible());
}

TEST_F(HotKeyRegistration, AKeyPressedWhileABoxIsOpenFindsNoWindowsYet) {
    // Ctrl+F1 and Ctrl+Shift+F1 are held by the time the penguin chain opens its first box.
    fakes.dialogs.whileOpen = [&](const fake::Dialogs::Box&) {
        fakes.hotKeys.press(ModCtrl, F(1));
        fakes.hotKeys.press(ModCtrl | ModShift, F(1));
    };
    start({{ModAlt | ModCtrl, 'R'}});
    EXPECT_EQ(fakes.dialogs.boxes.size(), 1u);
    EXPECT_FALSE(program->blankScreen().isVisible());
}

struct PressCase {
    const char* name;
    Combination combination;
    bool alarmStopped, penguinShown, blankShown;
};

TEST_F(HotKeyRegistration, PressesReachTheirActions) {
    start({{ModCtrl, F(1)}, {ModCtrl, F(2)}});
    const PressCase cases[] = {
        {"stop alarm on its third choice", {ModCtrl, F(3)}, true, false, false},
        {"penguin", {ModAlt | ModCtrl, 'R'}, false, true, false},
        {"blank screen", {ModCtrl | ModShift, F(1)}, false, false, true},
        {"taken by another program", {ModCtrl, F(1)}, false, false, false},
        {"not registered", {ModCtrl, F(4)}, false, false, false},
    };
    for (const PressCase& c : cases) {
        SCOPED_TRACE(c.name);
        program->alarmRinger().ring(1);
        program->penguin().hide();
        program->penguin().timerrose->setEnabled(false);
        program->blankScreen().hide();
        program->blankScreen().Timer1->setEnabled(false);
        fakes.windows.covered.clear();

        fakes.hotKeys.press(c.combination.first, c.combination.second);

        EXPECT_EQ(!program->alarmWindow().isVisible(), c.alarmStopped);
        EXPECT_EQ(program->penguin().isVisible(), c.penguinShown);
        EXPECT_EQ(fakes.windows.covered.count(&program->penguin()), c.penguinShown ? 1u : 0u);
        EXPECT_EQ(program->penguin().timerrose->isEnabled(), c.penguinShown);
        EXPECT_EQ(program->blankScreen().isVisible(), c.blankShown);
        EXPECT_EQ(fakes.windows.covered.count(&program->blankScreen()), c.blankShown ? 1u : 0u);
        EXPECT_EQ(program->blankScreen().Timer1->isEnabled(), c.blankShown);
    }
}

TEST_F(HotKeyRegistration, AltCtrlRInTheClockShowsThePenguinEvenWithoutItsGlobalKey) {
    start(PenguinKeys());
    ASSERT_EQ(plan().penguinKeyIndex(), 0);
    struct Case {
        int key;
        Qt::KeyboardModifiers modifiers;
        bool shown;
    };
    const Case cases[] = {
        {Qt::Key_R, Qt::AltModifier | Qt::ControlModifier, true},
        {Qt::Key_R, Qt::AltModifier | Qt::ControlModifier | Qt::ShiftModifier, false},
        {Qt::Key_R, Qt::ControlModifier, false},
        {Qt::Key_R, Qt::AltModifier, false},
        {Qt::Key_T, Qt::AltModifier | Qt::ControlModifier, false},
    };
    for (const Case& c : cases) {
        program->penguin().hide();
        program->penguin().timerrose->setEnabled(false);
        QKeyEvent press(QEvent::KeyPress, c.key, c.modifiers);
        QApplication::sendEvent(&clock(), &press);
        EXPECT_EQ(program->penguin().isVisible(), c.shown) << c.key << " " << c.modifiers;
        EXPECT_EQ(program->penguin().timerrose->isEnabled(), c.shown) << c.key << " " << c.modifiers;
    }
}

TEST_F(HotKeyRegistration, TheEndReleasesTheKeysLastFirstAndClearsTheWords) {
    start({});
    const std::vector<std::uint16_t> held = {static_cast<std::uint16_t>(plan().blankKeyIndex()),
                                             static_cast<std::uint16_t>(plan().penguinKeyIndex()),
                                             static_cast<std::uint16_t>(plan().stopAlarmKeyIndex())};
    EXPECT_EQ(CtrlWord, "Ctrl");
    program.reset();
    EXPECT_EQ(fakes.hotKeys.unregistered, held);
    EXPECT_TRUE(fakes.hotKeys.held.empty());
    EXPECT_EQ(ShiftWord + CtrlWord + AltWord + WinWord, "");
}

} // namespace
