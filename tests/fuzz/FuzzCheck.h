#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// A broken property stops the fuzzer with the input that broke it.
inline void check(bool holds) {
    if (!holds)
        __builtin_trap();
}

inline std::string_view InputText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}
