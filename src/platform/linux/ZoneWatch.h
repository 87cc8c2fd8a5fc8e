#pragma once

#include <ctime>

// Local time under the system's time zone as it is now, and a count of its changes. glibc reads the zone
// afresh only in tzset(): localtime_r keeps the one it first read, so a process that runs for days would
// go on showing a zone the system left. With TZ unset, tzset() costs a stat of /etc/localtime while the
// file stays the same.
class ZoneWatch {
public:
    std::tm localTime(std::time_t utc);
    // How many times the zone has changed between two calls of localTime.
    int changes() const { return changes_; }

private:
    bool seen_ = false;
    std::time_t lastUtc_ = 0;
    long lastOffset_ = 0;
    int changes_ = 0;
};
