// The program's three global keys: the messages about taken combinations at start, and their presses.
#include "hotkeys/HotKeyPlan.h"

#include "base/ApplicationTitle.h"
#include "hotkeys/HotKeyText.h"
#include "platform/Dialogs.h"
#include "ui/Guarded.h"

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

} // namespace

HotKeyPlan::HotKeyPlan(platform::HotKeyService& service, platform::Dialogs& dialogs)
    : dialogs_(dialogs), HotKeyManager1(service) {
    HotKeyManager1.OnHotKeyPressed = [this](std::uint32_t hotKey, std::uint16_t index) {
        // A failing action goes to the general error box, as from any other handler.
        RunGuarded([&] { HotKeyManager1HotKeyPressed(hotKey, index); });
    };
}

void HotKeyPlan::registerAll() {
    HotKeyChains chains(HotKeyManager1, dialogs_);

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

void HotKeyPlan::HotKeyManager1HotKeyPressed(std::uint32_t, std::uint16_t index) {
    if (index == StopAlarmKeyIndex) {
        qCInfo(lcHotKeys) << "pressed stop alarm";
        emit stopAlarmPressed();
    }
    if (index == PenguinKeyIndex) {
        qCInfo(lcHotKeys) << "pressed penguin";
        emit penguinPressed(HotKeyManager1.LastPressTime());
    }
    if (index == BlankKeyIndex) {
        qCInfo(lcHotKeys) << "pressed blank screen";
        emit blankScreenPressed(HotKeyManager1.LastPressTime());
    }
}
