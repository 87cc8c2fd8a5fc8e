#include "hotkeys/HotKeyText.h"

#include "hotkeys/KeyNames.h"
#include "platform/HotKeyService.h"

#include <algorithm>
#include <vector>

std::string ShiftWord = "Shift";
std::string CtrlWord = "Ctrl";
std::string AltWord = "Alt";
std::string WinWord = "Win";

namespace {

constexpr std::uint32_t ShiftBit = 0x2000;
constexpr std::uint32_t CtrlBit = 0x4000;
constexpr std::uint32_t AltBit = 0x8000;
constexpr std::uint32_t WinBit = 0x10000;
constexpr std::uint32_t ValueLimit = 1u << 24;

constexpr unsigned FirstKeyCode = 8;
constexpr unsigned LastKeyCode = 255;

// The layout names no media key usefully, so these stand in for 166..183.
constexpr unsigned FirstMediaKey = 166;
constexpr std::string_view MediaKeyNames[] = {
    "Browser Back",      "Browser Forward",     "Browser Refresh",    "Browser Stop",     "Browser Search",
    "Browser Favorites", "Browser Start/Home",  "Volume Mute",        "Volume Down",      "Volume Up",
    "Next Track",        "Previous Track",      "Stop Media",         "Play/Pause Media", "Start Mail",
    "Select Media",      "Start Application 1", "Start Application 2"};

char ToUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Texts are 8-bit and every name in our table is ASCII, so folding ASCII letters is enough.
bool SameText(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return ToUpper(x) == ToUpper(y); });
}

bool IsLineBreak(char c) {
    return c == '\n' || c == '\r';
}

// Blanks and control characters, with bytes above 127 counting as text.
bool IsBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

std::string_view Trim(std::string_view piece) {
    while (!piece.empty() && IsBlankOrControl(piece.front()))
        piece.remove_prefix(1);
    while (!piece.empty() && IsBlankOrControl(piece.back()))
        piece.remove_suffix(1);
    return piece;
}

// Pieces between "+" and line breaks; a quoted run keeps its "+" and line breaks.
std::vector<std::string_view> SplitPieces(std::string_view text) {
    std::vector<std::string_view> pieces;
    std::size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && (text[at] == ' ' || IsLineBreak(text[at])))
            ++at;
        const std::size_t start = at;
        char quote = 0;
        for (; at < text.size(); ++at) {
            const char c = text[at];
            if (quote != 0) {
                if (c == quote)
                    quote = 0;
            } else if (c == '\'' || c == '"') {
                quote = c;
            } else if (c == '+' || IsLineBreak(c)) {
                break;
            }
        }
        if (at > start)
            pieces.push_back(Trim(text.substr(start, at - start)));
        ++at;
    }
    return pieces;
}

// The modifier flag a word stands for, 0 when it is no modifier word.
unsigned ModifierOfWord(std::string_view word) {
    if (SameText(word, "Shift") || SameText(word, ShiftWord))
        return platform::ModShift;
    if (SameText(word, "Ctrl") || SameText(word, CtrlWord))
        return platform::ModCtrl;
    if (SameText(word, "Alt") || SameText(word, AltWord))
        return platform::ModAlt;
    if (SameText(word, "Win") || SameText(word, WinWord))
        return platform::ModWin;
    return 0;
}

bool IsModifierName(std::string_view piece) {
    for (const std::string_view word :
         {std::string_view("Ctrl"), std::string_view(CtrlWord), std::string_view("Alt"),
          std::string_view(AltWord), std::string_view("Shift"), std::string_view(ShiftWord),
          std::string_view("Win"), std::string_view(WinWord)}) {
        if (piece == word)
            return true;
    }
    return false;
}

bool IsExtendedKey(unsigned key) {
    return (key >= 33 && key <= 40) || key == 45 || key == 46;
}

// The first key code whose own text equals the name; a key without a name is never matched.
unsigned KeyOfName(std::string_view name) {
    for (unsigned code = FirstKeyCode; code <= LastKeyCode; ++code) {
        const std::string text = FormatHotKeyText(code);
        if (!text.empty() && SameText(name, text))
            return code;
    }
    return 0;
}

unsigned KeyOfPiece(std::string_view piece) {
    if (piece.size() == 1) {
        const char c = ToUpper(piece.front());
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z'))
            return static_cast<unsigned char>(c);
        return KeyOfName(std::string_view(&c, 1));
    }
    // The keypad plus is named "Num +", whose "+" the split took for a separator.
    if (piece == "Num")
        return KeyOfName("Num +");
    if (IsModifierName(piece))
        return 0;
    return KeyOfName(piece);
}

} // namespace

void InitModifierWords() {
    ShiftWord = KeyDisplayName(16, false);
    CtrlWord = KeyDisplayName(17, false);
    AltWord = KeyDisplayName(18, false);
    const bool capitalsOnly =
        std::all_of(AltWord.begin(), AltWord.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
    WinWord = capitalsOnly ? "WIN" : "Win";
}

void ClearModifierWords() {
    ShiftWord.clear();
    CtrlWord.clear();
    AltWord.clear();
    WinWord.clear();
}

std::uint32_t ParseHotKeyText(std::string_view text, bool) {
    const std::vector<std::string_view> pieces = SplitPieces(text);
    if (pieces.empty())
        return 0;

    unsigned modifiers = 0;
    for (std::size_t i = 0; i + 1 < pieces.size(); ++i) {
        const unsigned modifier = ModifierOfWord(pieces[i]);
        if (modifier == 0) {
            modifiers = 0;
            break;
        }
        modifiers |= modifier;
    }
    if (modifiers == 0 && pieces.size() >= 2)
        return 0;

    const unsigned key = KeyOfPiece(pieces.back());
    if (key == 0)
        return 0;
    return PackHotKey(static_cast<std::uint16_t>(modifiers), static_cast<std::uint16_t>(key));
}

std::string FormatHotKeyText(std::uint32_t value, bool localized) {
    const unsigned key = value & 0xFF;
    std::string text;
    for (const auto& [bit, word] : {std::pair{CtrlBit, &CtrlWord}, std::pair{ShiftBit, &ShiftWord},
                                    std::pair{AltBit, &AltWord}, std::pair{WinBit, &WinWord}}) {
        if (value & bit)
            text += *word + "+";
    }
    return text + KeyDisplayName(value, IsExtendedKey(key), localized);
}

std::uint32_t PackHotKey(std::uint16_t modifiers, std::uint16_t key) {
    std::uint32_t value = key;
    if (modifiers & platform::ModAlt)
        value += AltBit;
    if (modifiers & platform::ModCtrl)
        value += CtrlBit;
    if (modifiers & platform::ModShift)
        value += ShiftBit;
    if (modifiers & platform::ModWin)
        value += WinBit;
    return value;
}

std::optional<UnpackedHotKey> UnpackHotKey(std::uint32_t value) {
    if (value >= ValueLimit)
        return std::nullopt;
    UnpackedHotKey unpacked;
    unpacked.key = static_cast<std::uint16_t>(value & 0xFF);
    if (value & WinBit)
        unpacked.modifiers |= platform::ModWin;
    if (value & AltBit)
        unpacked.modifiers |= platform::ModAlt;
    if (value & CtrlBit)
        unpacked.modifiers |= platform::ModCtrl;
    if (value & ShiftBit)
        unpacked.modifiers |= platform::ModShift;
    return unpacked;
}

std::string KeyDisplayName(std::uint32_t value, bool extended, bool) {
    const unsigned key = value & 0xFF;
    const std::string_view name = UsKeyName(static_cast<std::uint8_t>(key), extended);
    if (name.size() <= 1 && key >= FirstMediaKey && key < FirstMediaKey + std::size(MediaKeyNames))
        return std::string(MediaKeyNames[key - FirstMediaKey]);
    return std::string(name);
}
