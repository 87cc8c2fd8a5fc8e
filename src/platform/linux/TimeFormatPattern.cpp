#include "platform/linux/TimeFormatPattern.h"

#include <algorithm>
#include <cctype>
#include <string_view>
#include <vector>

namespace {

// One piece of a pattern: a conversion such as "%-H", or a run of literal text.
struct Piece {
    char conversion = 0; // 0 for literal text
    char flag = 0;       // '-', '_', '0', '^' or '#'; 0 for none
    std::string text;
};

void appendLiteral(std::vector<Piece>& pieces, std::string_view text) {
    if (pieces.empty() || pieces.back().conversion != 0)
        pieces.push_back({});
    pieces.back().text += text;
}

std::vector<Piece> split(std::string_view pattern) {
    std::vector<Piece> pieces;
    for (std::size_t i = 0; i < pattern.size();) {
        if (pattern[i] != '%') {
            appendLiteral(pieces, pattern.substr(i, 1));
            ++i;
            continue;
        }
        std::size_t j = i + 1;
        char flag = 0;
        while (j < pattern.size() && std::string_view("-_0^#").find(pattern[j]) != std::string_view::npos)
            flag = pattern[j++];
        while (j < pattern.size() && std::isdigit(static_cast<unsigned char>(pattern[j])))
            ++j;
        if (j < pattern.size() && (pattern[j] == 'E' || pattern[j] == 'O'))
            ++j;
        if (j >= pattern.size())
            break; // a lone '%' at the end prints nothing useful
        if (pattern[j] == '%')
            appendLiteral(pieces, "%");
        else
            pieces.push_back({pattern[j], flag, {}});
        i = j + 1;
    }
    return pieces;
}

// %r, %T and %R stand for whole times; spell them out so the hour can be found.
std::vector<Piece> expand(const std::vector<Piece>& pieces, const LocaleTimeStrings& strings) {
    std::vector<Piece> result;
    for (const Piece& piece : pieces) {
        std::vector<Piece> inner;
        if (piece.conversion == 'r')
            inner = split(strings.timeFormatAmPm);
        else if (piece.conversion == 'T')
            inner = split("%H:%M:%S");
        else if (piece.conversion == 'R')
            inner = split("%H:%M");
        else
            inner = {piece};
        for (const Piece& part : inner) {
            if (part.conversion == 0)
                appendLiteral(result, part.text);
            else
                result.push_back(part);
        }
    }
    return result;
}

bool isHour(char conversion) {
    return conversion == 'H' || conversion == 'k' || conversion == 'I' || conversion == 'l';
}

bool isMarker(char conversion) {
    return conversion == 'p' || conversion == 'P';
}

bool padsWithZero(const Piece& hour) {
    if (hour.flag == '-' || hour.flag == '_')
        return false;
    if (hour.flag == '0')
        return true;
    // %k and %l pad with a space, which reads as no leading zero.
    return hour.conversion == 'H' || hour.conversion == 'I';
}

std::string lowerAscii(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return c < 0x80 ? static_cast<char>(std::tolower(c)) : c; });
    return text;
}

} // namespace

platform::TimeFormat interpretTimeFormat(const LocaleTimeStrings& strings) {
    platform::TimeFormat format;
    if (!strings.amText.empty())
        format.amText = strings.amText;
    if (!strings.pmText.empty())
        format.pmText = strings.pmText;

    const std::vector<Piece> pieces = expand(split(strings.timeFormat), strings);
    const auto hour =
        std::find_if(pieces.begin(), pieces.end(), [](const Piece& p) { return isHour(p.conversion); });
    if (hour == pieces.end())
        return format;

    format.twelveHour = hour->conversion == 'I' || hour->conversion == 'l';
    format.hourLeadingZero = padsWithZero(*hour);
    // The separator is the text between the hour and the minutes.
    const auto next = hour + 1;
    if (next != pieces.end() && next->conversion == 0 && next + 1 != pieces.end() &&
        next[1].conversion == 'M')
        format.separator = next->text;

    const auto marker =
        std::find_if(pieces.begin(), pieces.end(), [](const Piece& p) { return isMarker(p.conversion); });
    if (format.twelveHour && marker != pieces.end()) {
        format.markerBeforeTime = marker < hour;
        if (marker->conversion == 'P') {
            format.amText = lowerAscii(format.amText);
            format.pmText = lowerAscii(format.pmText);
        }
    }
    return format;
}
