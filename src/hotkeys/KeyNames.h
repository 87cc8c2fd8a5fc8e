#pragma once

#include <cstdint>
#include <string_view>

// The name the US English keyboard layout gives a virtual-key code, empty when it names none.
// With `extended`, keys that share their place with a keypad key take their own name
// ("Insert" rather than "Num 0"); keys without such a second name answer as without the flag.
std::string_view UsKeyName(std::uint8_t virtualKey, bool extended);
