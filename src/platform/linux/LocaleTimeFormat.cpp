#include "platform/linux/LocaleTimeFormat.h"

platform::TimeFormat LocaleTimeFormat::read() const {
    return {false, false, true, ":", "AM", "PM"};
}
