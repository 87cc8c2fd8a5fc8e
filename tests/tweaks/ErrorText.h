#pragma once

#include "base/DialtopError.h"

#include <functional>
#include <string>

// The text of the error an action raises, or "no error".
inline std::string errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const DialtopError& error) {
        return error.what();
    }
    return "no error";
}
