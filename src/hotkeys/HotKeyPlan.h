// The program's three global keys: held by the desktop where it offers to, otherwise each tried along its
// chain of combinations, with the captions that name the ones held.
#pragma once

#include "hotkeys/HotKeyManager.h"
#include "platform/GlobalShortcuts.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {
class Dialogs;
class HotKeyService;
} // namespace platform

// Registers the stop-alarm, penguin and blank-screen keys and reports their presses. Where the desktop
// holds shortcuts, it is asked for them; should it refuse, the keys are grabbed as in an X session and one
// box tells the user of the limits. Otherwise the user is told of each combination that is taken.
class HotKeyPlan : public QObject {
    Q_OBJECT

public:
    HotKeyPlan(platform::HotKeyService& service, platform::GlobalShortcuts& shortcuts,
               platform::Dialogs& dialogs);

    // The chains and their boxes, one plain box at a time; or the desktop asked, whose answer comes later.
    void registerAll();

    // Registration ids; 0 for a key none of whose combinations could be had.
    int stopAlarmKeyIndex() const { return StopAlarmKeyIndex; }
    int penguinKeyIndex() const { return PenguinKeyIndex; }
    int blankKeyIndex() const { return BlankKeyIndex; }
    // "STOP ALARM (Ctrl+F1)" and "(Alt+Ctrl+R)", or whichever combination was had; the desktop's own
    // descriptions of its keys where it holds them.
    QString stopAlarmCaption() const { return StopAlarmCaption; }
    QString penguinKeyCaption() const { return PenguinKeyCaption; }

signals:
    // The captions name other keys: the desktop has answered.
    void captionsChanged();
    void stopAlarmPressed();
    // `time` is the window system's time of the press, for the window shown to take the keyboard.
    void penguinPressed(std::uint32_t time);
    void blankScreenPressed(std::uint32_t time);

private:
    // The X grabs; `tell` shows the box of each combination that is taken.
    void registerKeys(bool tell);
    void desktopAnswered(const std::optional<std::vector<platform::GlobalShortcuts::Bound>>& bound);
    void desktopShortcutPressed(const std::string& id);
    void HotKeyManager1HotKeyPressed(std::uint32_t hotKey, std::uint16_t index);
    void pressStopAlarm();
    void pressPenguin(std::uint32_t time);
    void pressBlankScreen(std::uint32_t time);

    platform::GlobalShortcuts& shortcuts_;
    platform::Dialogs& dialogs_;
    THotKeyManager HotKeyManager1;
    int StopAlarmKeyIndex = 0;
    int PenguinKeyIndex = 0;
    int BlankKeyIndex = 0;
    QString StopAlarmCaption;
    QString PenguinKeyCaption;
};
