// The tweak editor's number conversion against a plain reading of the same rules: every text gives
// the same number or the same refusal.
#include "FuzzCheck.h"
#include "base/DialtopError.h"
#include "tweaks/TweakEdits.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace {

int digitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 99;
}

// Blanks, a sign, "$", "x" or "0x" for hexadecimal, digits; nothing past 64 bits. Empty: no number.
std::optional<__int128> reference(const std::string& text) {
    std::size_t i = text.find_first_not_of(' ');
    if (i == std::string::npos)
        return std::nullopt;
    const bool negative = text[i] == '-';
    if (text[i] == '-' || text[i] == '+')
        ++i;
    int base = 10;
    if (text.compare(i, 1, "$") == 0 || text.compare(i, 1, "x") == 0 || text.compare(i, 1, "X") == 0) {
        base = 16;
        i += 1;
    } else if (text.compare(i, 2, "0x") == 0 || text.compare(i, 2, "0X") == 0) {
        base = 16;
        i += 2;
    }
    if (i == text.size())
        return std::nullopt;
    __int128 value = 0;
    for (; i < text.size(); ++i) {
        const int digit = digitValue(text[i]);
        if (digit >= base)
            return std::nullopt;
        value = value * base + digit;
        if (value > (static_cast<__int128>(1) << 64))
            return std::nullopt;
    }
    value = negative ? -value : value;
    if (value < INT64_MIN || value > INT64_MAX)
        return std::nullopt;
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto expected = reference(text);
    std::string error;
    std::optional<std::int32_t> got;
    try {
        got = TweakDwordFromText(text);
    } catch (const DialtopError& refused) {
        error = refused.what();
    }
    // what() ends the message at a zero byte of the text.
    if (!expected)
        check(error == std::string(("'" + text + "' is not a valid integer value").c_str()));
    else if (*expected < INT32_MIN || *expected > INT32_MAX)
        check(error == "Range check error");
    else
        check(got && *got == *expected);
    return 0;
}
