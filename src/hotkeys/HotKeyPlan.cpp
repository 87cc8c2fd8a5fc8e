// The program's three global keys: the desktop's shortcuts or the messages about taken combinations at
// start, and their presses.
#include "hotkeys/HotKeyPlan.h"

#include "base/ApplicationTitle.h"
#include "hotkeys/DesktopShortcuts.h"
#include "hotkeys/HotKeyText.h"
#include "platform/Dialogs.h"
#include "ui/Guarded.h"

#include <QLoggingCategory>
#include <QPointer>
#include <QStringList>

namespace {

Q_LOGGING_CATEGORY(lcHotKeys, "dialtop.hotkeys", QtWarningMsg)

const QString NoDesktopShortcuts = QStringLiteral(
    "The Desktop Does NOT Offer Global Shortcuts. Ctrl+F1, Alt+Ctrl+R and Ctrl+Shift+F1 Work Only While an X "
    "Window Has the Focus. Bind \"dialtop --action stop-alarm\", \"dialtop --action penguin\" and "
    "\"dialtop --action blank\" in Your Desktop's Keyboard Settings.");

// Registers key texts and tells the user, one plain box at a time, about those that are taken; or, when
// not `telling`, says nothing.
class HotKeyChains {
public:
    HotKeyChains(THotKeyManager& manager, platform::Dialogs& dialogs, bool telling)
        : manager_(manager), dialogs_(dialogs), telling_(telling) {}

    int Register(const QString& text) { return manager_.RegisterKey(ParseHotKeyText(text.toStdString())); }

    void Tell(const QString& message) {
        if (telling_)
            dialogs_.plain(ApplicationTitle, message);
    }

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
    const bool telling_;
};

} // namespace

HotKeyPlan::HotKeyPlan(platform::HotKeyService& service, platform::GlobalShortcuts& shortcuts,
                       platform::Dialogs& dialogs)
    : shortcuts_(shortcuts), dialogs_(dialogs), HotKeyManager1(service) {
    HotKeyManager1.OnHotKeyPressed = [this](std::uint32_t hotKey, std::uint16_t index) {
        // A failing action goes to the general error box, as from any other handler.
        RunGuarded([&] { HotKeyManager1HotKeyPressed(hotKey, index); });
    };
}

void HotKeyPlan::registerAll() {
    // The desktop's answer may come after this plan has gone.
    const QPointer<HotKeyPlan> self(this);
    const bool asked = shortcuts_.bind(DesktopShortcuts(), [self](const auto& bound) {
        if (self)
            RunGuarded([&] { self->desktopAnswered(bound); });
    });
    if (!asked)
        return registerKeys(true);
    // No key is had until the desktop answers.
    StopAlarmCaption = QStringLiteral("STOP ALARM");
    shortcuts_.setActivationHandler([self](const std::string& id) {
        if (self)
            RunGuarded([&] { self->desktopShortcutPressed(id); });
    });
}

void HotKeyPlan::registerKeys(bool tell) {
    HotKeyChains chains(HotKeyManager1, dialogs_, tell);

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

void HotKeyPlan::desktopAnswered(const std::optional<std::vector<platform::GlobalShortcuts::Bound>>& bound) {
    if (!bound) {
        // Each chain's boxes would only repeat what the one box says.
        registerKeys(false);
        emit captionsChanged();
        dialogs_.plain(ApplicationTitle, NoDesktopShortcuts);
        return;
    }
    // A shortcut the desktop left without a key, or did not bind, is named without one.
    StopAlarmCaption = QStringLiteral("STOP ALARM");
    PenguinKeyCaption.clear();
    for (const platform::GlobalShortcuts::Bound& shortcut : *bound) {
        const QString trigger = QString::fromStdString(shortcut.trigger);
        if (trigger.isEmpty())
            continue;
        if (shortcut.id == StopAlarmShortcut)
            StopAlarmCaption = QStringLiteral("STOP ALARM (%1)").arg(trigger);
        else if (shortcut.id == PenguinShortcut)
            PenguinKeyCaption = QStringLiteral("(%1)").arg(trigger);
    }
    emit captionsChanged();
}

void HotKeyPlan::desktopShortcutPressed(const std::string& id) {
    // The desktop gives no time a window could be activated with.
    if (id == StopAlarmShortcut)
        pressStopAlarm();
    else if (id == PenguinShortcut)
        pressPenguin(0);
    else if (id == BlankShortcut)
        pressBlankScreen(0);
}

void HotKeyPlan::HotKeyManager1HotKeyPressed(std::uint32_t, std::uint16_t index) {
    if (index == StopAlarmKeyIndex)
        pressStopAlarm();
    if (index == PenguinKeyIndex)
        pressPenguin(HotKeyManager1.LastPressTime());
    if (index == BlankKeyIndex)
        pressBlankScreen(HotKeyManager1.LastPressTime());
}

void HotKeyPlan::pressStopAlarm() {
    qCInfo(lcHotKeys) << "pressed stop alarm";
    emit stopAlarmPressed();
}

void HotKeyPlan::pressPenguin(std::uint32_t time) {
    qCInfo(lcHotKeys) << "pressed penguin";
    emit penguinPressed(time);
}

void HotKeyPlan::pressBlankScreen(std::uint32_t time) {
    qCInfo(lcHotKeys) << "pressed blank screen";
    emit blankScreenPressed(time);
}
