#include "base/DateHelpers.h"

namespace {

constexpr long long SecondsPerDay = 24 * 60 * 60;

} // namespace

LocalTime AddSeconds(const LocalTime& time, long long seconds) {
    long long ofDay = (time.hour * 60LL + time.minute) * 60 + time.second;
    ofDay = ((ofDay + seconds) % SecondsPerDay + SecondsPerDay) % SecondsPerDay;
    LocalTime result = time;
    result.hour = static_cast<int>(ofDay / 3600);
    result.minute = static_cast<int>(ofDay / 60 % 60);
    result.second = static_cast<int>(ofDay % 60);
    return result;
}

LocalTime AddMinutes(const LocalTime& time, long long minutes) {
    return AddSeconds(time, minutes % (SecondsPerDay / 60) * 60);
}
