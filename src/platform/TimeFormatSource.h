#pragma once

#include "base/TimeFormat.h"

namespace platform {

using TimeFormat = ::TimeFormat;

class TimeFormatSource {
public:
    virtual ~TimeFormatSource() = default;
    virtual TimeFormat read() const = 0;
};

} // namespace platform
