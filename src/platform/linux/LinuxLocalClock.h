#pragma once

#include "platform/LocalClock.h"

class LinuxLocalClock : public platform::LocalClock {
public:
    platform::LocalTime now() const override;
};
