#pragma once

// A broken-down local time, as the wall clock shows it.
struct LocalTime {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
    // Counts the changes of the system's time zone seen so far; daylight saving's own changes of the
    // offset do not count.
    int zoneChanges = 0;
    // Local time less UTC, in seconds; daylight saving changes it twice a year.
    int utcOffsetSeconds = 0;
};
