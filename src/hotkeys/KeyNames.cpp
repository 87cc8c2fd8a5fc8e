#include "hotkeys/KeyNames.h"

#include <array>

namespace {

struct Names {
    std::string_view name;
    std::string_view extendedName;
};

struct Entry {
    std::uint8_t code;
    Names names;
};

// Keys whose names are not simply their character or a numbered series.
constexpr Entry NamedKeys[] = {
    {8, {"Backspace", ""}},
    {9, {"Tab", ""}},
    {12, {"Num 5", ""}}, // Clear is keypad 5 with Num Lock off
    {13, {"Enter", "Num Enter"}},
    {16, {"Shift", ""}},
    {17, {"Ctrl", "Right Ctrl"}},
    {18, {"Alt", "Right Alt"}},
    {19, {"Pause", ""}},
    {20, {"Caps Lock", ""}},
    {27, {"Esc", ""}},
    {32, {"Space", ""}},
    // The navigation keys share their places with the keypad; only the extended flag names them.
    {33, {"Num 9", "Page Up"}},
    {34, {"Num 3", "Page Down"}},
    {35, {"Num 1", "End"}},
    {36, {"Num 7", "Home"}},
    {37, {"Num 4", "Left"}},
    {38, {"Num 8", "Up"}},
    {39, {"Num 6", "Right"}},
    {40, {"Num 2", "Down"}},
    {44, {"Sys Req", ""}},
    {45, {"Num 0", "Insert"}},
    {46, {"Num Del", "Delete"}},
    {91, {"", "Left Windows"}},
    {92, {"", "Right Windows"}},
    {93, {"", "Application"}},
    {96, {"Num 0", "Insert"}},
    {97, {"Num 1", "End"}},
    {98, {"Num 2", "Down"}},
    {99, {"Num 3", "Page Down"}},
    {100, {"Num 4", "Left"}},
    {101, {"Num 5", ""}},
    {102, {"Num 6", "Right"}},
    {103, {"Num 7", "Home"}},
    {104, {"Num 8", "Up"}},
    {105, {"Num 9", "Page Up"}},
    {106, {"Num *", "Prnt Scrn"}},
    {107, {"Num +", ""}},
    {109, {"Num -", ""}},
    {110, {"Num Del", "Delete"}},
    {111, {"/", "Num /"}}, // keypad divide shares its place with the main "/" key
    // Num Lock shares its place with Pause; the layout calls it Num Lock only when extended.
    {144, {"Pause", "Num Lock"}},
    {145, {"Scroll Lock", "Break"}},
    {160, {"Shift", ""}},
    {161, {"Right Shift", ""}},
    {162, {"Ctrl", "Right Ctrl"}},
    {163, {"Ctrl", "Right Ctrl"}},
    {164, {"Alt", "Right Alt"}},
    {165, {"Alt", "Right Alt"}},
    {186, {";", ""}},
    {187, {"=", ""}},
    {188, {",", ""}},
    {189, {"-", ""}},
    {190, {".", ""}},
    {191, {"/", ""}},
    {192, {"`", ""}},
    {219, {"[", ""}},
    {220, {"\\", ""}},
    {221, {"]", ""}},
    {222, {"'", ""}},
    {226, {"\\", ""}},
};

constexpr std::string_view Characters = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr std::string_view FunctionKeys[] = {"F1",  "F2",  "F3",  "F4",  "F5",  "F6",  "F7",  "F8",
                                             "F9",  "F10", "F11", "F12", "F13", "F14", "F15", "F16",
                                             "F17", "F18", "F19", "F20", "F21", "F22", "F23", "F24"};

constexpr std::array<Names, 256> BuildTable() {
    std::array<Names, 256> table{};
    for (std::size_t digit = 0; digit < 10; ++digit)
        table['0' + digit].name = Characters.substr(digit, 1);
    for (std::size_t letter = 0; letter < 26; ++letter)
        table['A' + letter].name = Characters.substr(10 + letter, 1);
    for (std::size_t function = 0; function < std::size(FunctionKeys); ++function)
        table[112 + function].name = FunctionKeys[function];
    for (const Entry& entry : NamedKeys)
        table[entry.code] = entry.names;
    return table;
}

constexpr std::array<Names, 256> Table = BuildTable();

} // namespace

std::string_view UsKeyName(std::uint8_t virtualKey, bool extended) {
    const Names& names = Table[virtualKey];
    return extended && !names.extendedName.empty() ? names.extendedName : names.name;
}
