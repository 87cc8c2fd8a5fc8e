#include "base/Conversions.h"

#include "base/DialtopError.h"

#include <cctype>
#include <limits>

std::optional<std::int64_t> ParseWholeNumber(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i < text.size() && (text[i] == 'x' || text[i] == 'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == text.size())
        return std::nullopt;
    // Accumulate as a negative magnitude so that the most negative 64-bit number still fits.
    std::int64_t value = 0;
    constexpr std::int64_t lowest = std::numeric_limits<std::int64_t>::min();
    for (; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        int digit;
        if (std::isdigit(c))
            digit = c - '0';
        else if (base == 16 && std::isxdigit(c))
            digit = std::tolower(c) - 'a' + 10;
        else
            return std::nullopt;
        if (value < (lowest + digit) / base)
            return std::nullopt;
        value = value * base - digit;
    }
    if (negative)
        return value;
    if (value == lowest)
        return std::nullopt;
    return -value;
}

std::int32_t StrToInt(const std::string& text) {
    const auto number = ParseWholeNumber(text);
    if (!number || *number < std::numeric_limits<std::int32_t>::min() ||
        *number > std::numeric_limits<std::int32_t>::max())
        throw DialtopError("'" + text + "' is not a valid integer value");
    return static_cast<std::int32_t>(*number);
}

std::int32_t StrToIntDef(const std::string& text, std::int32_t fallback) {
    try {
        return StrToInt(text);
    } catch (const DialtopError&) {
        return fallback;
    }
}
