#include "alarms/AlarmRinger.h"

#include "base/ByteText.h"
#include "platform/MediaPlayer.h"
#include "platform/Tones.h"
#include "settings/SettingsStore.h"

#include <exception>

AlarmRinger::AlarmRinger(const platform::Services& services, SettingsStore& settings)
    : services_(services), settings_(settings) {
    services_.media.setEndHandler([this] {
        if (services_.media.isStopped())
            emit mediaFinished();
    });
}

void AlarmRinger::tick(const platform::LocalTime& now) {
    // Every tick, not only one at second 0: a late or skipped tick must not lose the minute, and a second
    // tick in it must not ring it twice. Ringing reloads the table, and later rows are tested on the
    // reloaded one.
    const Settings& table = settings_.values;
    for (int row = 1; row <= AlarmRowCount; ++row) {
        if (alarmDue_.takeDue(row, table.AlarmOn[row], table.AlarmHour[row], table.AlarmMinute[row], now))
            ring(row);
    }
}

void AlarmRinger::ring(int row) {
    settings_.load();
    emit ringing(row);
    services_.tones.defaultBeep();
    try {
        services_.media.open(BytesOfText(settings_.values.AlarmSound[row]));
        services_.media.play();
    } catch (const std::exception&) {
        // A file that cannot be played leaves the alarm ringing with its beep until it is stopped.
    }
}

void AlarmRinger::stop() {
    try {
        services_.media.stop();
        services_.media.rewind();
        services_.media.close();
    } catch (const std::exception&) {
        // Stopping never troubles the user; the steps below end the ring all the same.
    }
    // Also when a step above failed: nothing the ring started sounds on and no file is left open.
    services_.tones.stopBeep();
    services_.media.close();
    emit stopped();
}

bool AlarmRinger::mediaAtEnd() const {
    const std::optional<std::int64_t> position = services_.media.position();
    const std::optional<std::int64_t> length = services_.media.length();
    return position && length && *position == *length;
}
