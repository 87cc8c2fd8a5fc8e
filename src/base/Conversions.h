#pragma once

#include <cstdint>
#include <optional>
#include <string>

// A whole number as the program reads one from text: leading blanks, an optional sign, then decimal
// digits, or hexadecimal after "$", "x" or "0x". Anything else, trailing blanks included, is no number;
// so is a number beyond 64 bits.
std::optional<std::int64_t> ParseWholeNumber(const std::string& text);

// ParseWholeNumber limited to 32 bits; throws DialtopError "'text' is not a valid integer value".
std::int32_t StrToInt(const std::string& text);

// As StrToInt, but gives the fallback instead of throwing.
std::int32_t StrToIntDef(const std::string& text, std::int32_t fallback);
