#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Without the blanks that surround a name or a value and are not part of it.
std::string_view TrimProfileBlanks(std::string_view text);

// The value as written after "=": without the blanks around it and without one pair of enclosing,
// matching quotation marks (single or double).
std::string_view ProfileValueText(std::string_view raw);

// An integer value: an optionally signed decimal number, or hexadecimal after "$", or after "0x"/"0X"
// when the value is longer than those two characters. The whole value must be the number, so "12abc",
// "- 5" and "-0x10" are no number; neither is a decimal beyond 32 bits. Hexadecimal is a 32-bit pattern
// of at most 0xFFFFFFFF, so "$FFFFFFFF" is -1.
std::optional<std::int32_t> ParseProfileInteger(std::string_view value);
