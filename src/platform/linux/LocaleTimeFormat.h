#pragma once

#include "platform/TimeFormatSource.h"

// The time format of the LC_TIME locale.
class LocaleTimeFormat : public platform::TimeFormatSource {
public:
    platform::TimeFormat read() const override;
};
