#pragma once

#include "platform/TimeFormatSource.h"

#include <string>

// The time format of the LC_TIME locale.
class LocaleTimeFormat : public platform::TimeFormatSource {
public:
    // An empty name means the user's locale from the environment (LC_ALL, LC_TIME, LANG).
    explicit LocaleTimeFormat(std::string localeName = {});
    // Read afresh each time, so a changed locale shows at the next read.
    platform::TimeFormat read() const override;

private:
    std::string localeName_;
};
