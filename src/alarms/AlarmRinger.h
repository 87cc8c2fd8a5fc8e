// The alarms' sound: which rows are due in a tick, and the beep and the media file of a ringing alarm.
#pragma once

#include "alarms/AlarmDueTest.h"
#include "platform/LocalClock.h"
#include "platform/Services.h"

#include <QObject>

class SettingsStore;

// Rings the alarm table of the settings; the window that shows a ringing alarm follows its signals.
class AlarmRinger : public QObject {
    Q_OBJECT

public:
    AlarmRinger(const platform::Services& services, SettingsStore& settings);

    // Rings each row that is due at `now`. Every tick must come here, also those with nothing switched on.
    void tick(const platform::LocalTime& now);
    // Rings a row: the settings are read again, then the beep and the row's media file sound.
    void ring(int row);
    // Silences the alarm and lets its file go; also when nothing rings.
    void stop();
    // The media file played to its very end; only real readings count, so a stream that cannot tell
    // never ends here.
    bool mediaAtEnd() const;

signals:
    // The settings are reloaded and the sound is about to start.
    void ringing(int row);
    // Stopped: nothing the ring started sounds on and no file is left open.
    void stopped();
    // The play ended by itself; the alarm stops at the next check of mediaAtEnd().
    void mediaFinished();

private:
    const platform::Services services_;
    SettingsStore& settings_;
    AlarmDueTest alarmDue_;
};
