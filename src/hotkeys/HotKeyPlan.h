// The program's three global keys: each tried along its chain of combinations, with the captions that
// name the ones held.
#pragma once

#include "hotkeys/HotKeyManager.h"

#include <QObject>
#include <QString>

#include <cstdint>

namespace platform {
class Dialogs;
class HotKeyService;
} // namespace platform

// Registers the stop-alarm, penguin and blank-screen keys, telling the user of each combination that is
// taken, and reports their presses.
class HotKeyPlan : public QObject {
    Q_OBJECT

public:
    HotKeyPlan(platform::HotKeyService& service, platform::Dialogs& dialogs);

    // The chains and their boxes, one plain box at a time.
    void registerAll();

    // Registration ids; 0 for a key none of whose combinations could be had.
    int stopAlarmKeyIndex() const { return StopAlarmKeyIndex; }
    int penguinKeyIndex() const { return PenguinKeyIndex; }
    int blankKeyIndex() const { return BlankKeyIndex; }
    // "STOP ALARM (Ctrl+F1)" and "(Alt+Ctrl+R)", or whichever combination was had.
    QString stopAlarmCaption() const { return StopAlarmCaption; }
    QString penguinKeyCaption() const { return PenguinKeyCaption; }

signals:
    void stopAlarmPressed();
    // `time` is the window system's time of the press, for the window shown to take the keyboard.
    void penguinPressed(std::uint32_t time);
    void blankScreenPressed(std::uint32_t time);

private:
    void HotKeyManager1HotKeyPressed(std::uint32_t hotKey, std::uint16_t index);

    platform::Dialogs& dialogs_;
    THotKeyManager HotKeyManager1;
    int StopAlarmKeyIndex = 0;
    int PenguinKeyIndex = 0;
    int BlankKeyIndex = 0;
    QString StopAlarmCaption;
    QString PenguinKeyCaption;
};
