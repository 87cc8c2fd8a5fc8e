#pragma once

#include "base/LocalTime.h"

namespace platform {

// The clock's readings are a value of the layer below, which the time texts use too.
using LocalTime = ::LocalTime;

class LocalClock {
public:
    virtual ~LocalClock() = default;
    virtual LocalTime now() const = 0;
};

} // namespace platform
