#include "base/DateHelpers.h"

namespace {

constexpr long long SecondsPerDay = 24 * 60 * 60;

} // namespace

platform::LocalTime AddSeconds(const platform::LocalTime& time, long long seconds) {
    long long ofDay = (time.hour * 60LL + time.minute) * 60 + time.second;
    ofDay = ((ofDay + seconds) % SecondsPerDay + SecondsPerDay) % SecondsPerDay;
    platform::LocalTime result = time;
    result.hour = static_cast<int>(ofDay / 3600);
    result.minute = static_cast<int>(ofDay / 60 % 60);
    result.second = static_cast<int>(ofDay % 60);
    return result;
}

platform::LocalTime AddMinutes(const platform::LocalTime& time, long long minutes) {
    return AddSeconds(time, minutes % (SecondsPerDay / 60) * 60);
}
