// The clock's global keys: the messages about taken combinations at start, and what each key shows.
#include "alarms/frmalarmU.h"
#include "base/ApplicationTitle.h"
#include "clock/Forms.h"
#include "clock/formDialtop.h"
#include "fullscreen/frmSleepU.h"
#include "fullscreen/frmroseU.h"
#include "hotkeys/HotKeyManager.h"
#include "hotkeys/HotKeyText.h"
#include "platform/Dialogs.h"
#include "platform/Services.h"
#include "platform/WindowSystem.h"
#include "ui/Guarded.h"
#include "ui/MessageTimer.h"

#include <QLoggingCategory>
#include <QStringList>

namespace {

Q_LOGGING_CATEGORY(lcHotKeys, "dialtop.hotkeys", QtWarningMsg)

// Registers key texts and tells the user, one plain box at a time, about those that are taken.
class HotKeyChains {
public:
    HotKeyChains(THotKeyManager& manager, platform::Dialogs& dialogs)
        : manager_(manager), dialogs_(dialogs) {}

    int Register(const QString& text) { return manager_.RegisterKey(ParseHotKeyText(text.toStdString())); }

    void Tell(const QString& message) { dialogs_.plain(ApplicationTitle, message); }

    // Each row applies while `index` is still 0: it reports the text that failed, then tries the next.
    template <typename OnTried>
    void Walk(int& index, const QStringList& texts, const QString& purpose, OnTried onTried) {
        for (qsizetype row = 1; row < texts.size() && index == 0; ++row) {
            Tell(QStringLiteral("The Combination \"%1\" Is NOT Available to %2. Trying \"%3\"...")
                     .arg(texts[row - 1], purpose, texts[row]));
            index = Register(texts[row]);
            onTried(texts[row]);
        }
    }

private:
    THotKeyManager& manager_;
    platform::Dialogs& dialogs_;
};

// Over the panels too, and with the keyboard: a key is the only way out. `time` is that of the key
// press that asked for the window.
void ShowFullScreen(platform::WindowSystem& windows, QWidget& window, MessageTimer& timer,
                    std::uint32_t time) {
    windows.coverScreen(window);
    windows.activate(window, time);
    timer.setEnabled(true);
}

// The windows are made after the clock, so a key pressed while a creation box is open finds none.
void ShowPenguin(platform::WindowSystem& windows, const Forms& forms, std::uint32_t time) {
    if (forms.frmrose)
        ShowFullScreen(windows, *forms.frmrose, *forms.frmrose->timerrose, time);
}

} // namespace

void Tdialform::RegisterHotKeys() {
    HotKeyManager1 = new THotKeyManager(services_.hotKeys);
    HotKeyManager1->OnHotKeyPressed = [this](std::uint32_t hotKey, std::uint16_t index) {
        // A failing action goes to the general error box, as from any other handler.
        RunGuarded([&] { HotKeyManager1HotKeyPressed(hotKey, index); });
    };
    HotKeyChains chains(*HotKeyManager1, services_.dialogs);

    StopAlarmKeyIndex = chains.Register(QStringLiteral("Ctrl+F1"));
    StopAlarmCaption = QStringLiteral("STOP ALARM (Ctrl+F1)");
    PenguinKeyIndex = chains.Register(QStringLiteral("Alt+Ctrl+R"));
    PenguinKeyCaption = QStringLiteral("(Alt+Ctrl+R)");
    BlankKeyIndex = chains.Register(QStringLiteral("Ctrl+Shift+F1"));

    chains.Walk(
        StopAlarmKeyIndex, {"Ctrl+F1", "Ctrl+F2", "Ctrl+F3", "Ctrl+F4", "Ctrl+F5", "Ctrl+F6", "Ctrl+F7"},
        QStringLiteral("stop the Alarm"),
        [this](const QString& text) { StopAlarmCaption = QStringLiteral("STOP ALARM (%1)").arg(text); });
    if (StopAlarmKeyIndex == 0) {
        chains.Tell(QStringLiteral("The Combination \"Ctrl+F7\" Is NOT Available. Giving Up. "
                                   "Stop Alarm Function By Keyboard Is NOT Available"));
        StopAlarmCaption = QStringLiteral("STOP ALARM");
    }

    chains.Walk(PenguinKeyIndex,
                {"Alt+Ctrl+R", "Alt+Ctrl+F1", "Alt+Ctrl+F2", "Alt+Ctrl+F3", "Alt+Ctrl+F4", "Alt+Ctrl+F5",
                 "Alt+Ctrl+F6", "Alt+Ctrl+F7"},
                QStringLiteral("show Penguin"),
                [this](const QString& text) { PenguinKeyCaption = QStringLiteral("(%1)").arg(text); });
    if (PenguinKeyIndex == 0) {
        chains.Tell(
            QStringLiteral("The Combination \"Alt+Ctrl+F7\" Is NOT Available to show Penguin. Giving Up. "
                           "Focus on Dialtop and hit \"Alt+Ctrl+R\"."));
        PenguinKeyIndex = chains.Register(QStringLiteral("Alt+Ctrl+F7"));
    }

    chains.Walk(BlankKeyIndex, {"Ctrl+Shift+F1", "Ctrl+Shift+F2"}, QStringLiteral("blank your screen"),
                [](const QString&) {});
    if (BlankKeyIndex == 0)
        chains.Tell(
            QStringLiteral("The Combination \"Ctrl+Shift+F2\" Is NOT Available to blank your screen."));
}

void Tdialform::HotKeyManager1HotKeyPressed(std::uint32_t, std::uint16_t index) {
    if (index == StopAlarmKeyIndex) {
        qCInfo(lcHotKeys) << "pressed stop alarm";
        try {
            if (forms_.frmalarm)
                forms_.frmalarm->stalMouseUp(Qt::LeftButton, {}, 0, 0);
        } catch (...) {
            // Stopping an alarm by keyboard never troubles the user.
        }
    }
    if (index == PenguinKeyIndex) {
        qCInfo(lcHotKeys) << "pressed penguin";
        ShowPenguin(services_.windows, forms_, HotKeyManager1->LastPressTime());
    }
    if (index == BlankKeyIndex) {
        qCInfo(lcHotKeys) << "pressed blank screen";
        if (forms_.frmSleep)
            ShowFullScreen(services_.windows, *forms_.frmSleep, *forms_.frmSleep->Timer1,
                           HotKeyManager1->LastPressTime());
    }
}

void Tdialform::FormKeyDown(int key, Qt::KeyboardModifiers modifiers) {
    const bool altCtrl = modifiers.testFlag(Qt::AltModifier) && modifiers.testFlag(Qt::ControlModifier);
    if (key == Qt::Key_R && altCtrl && !modifiers.testFlag(Qt::ShiftModifier)) {
        qCInfo(lcHotKeys) << "Alt+Ctrl+R in the clock";
        ShowPenguin(services_.windows, forms_, 0);
    }
}
