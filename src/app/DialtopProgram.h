#pragma once

#include "clock/Forms.h"
#include "clock/PowerStatus.h"

#include <memory>

namespace platform {
struct Services;
}

// Creates the eight windows in their fixed order and keeps them for the whole run.
class DialtopProgram {
public:
    explicit DialtopProgram(const platform::Services& services);
    ~DialtopProgram();

    Forms& forms() { return forms_; }

private:
    PowerSample power_;
    Forms forms_;
};
