#include "hotkeys/HotKeyText.h"

#include <gtest/gtest.h>
#include <string>

namespace {

constexpr std::uint32_t Shift = 0x2000;
constexpr std::uint32_t Ctrl = 0x4000;
constexpr std::uint32_t Alt = 0x8000;
constexpr std::uint32_t Win = 0x10000;

class HotKeyTextTest : public testing::Test {
protected:
    void SetUp() override { InitModifierWords(); }
    void TearDown() override { InitModifierWords(); }
};

struct ParseCase {
    const char* text;
    std::uint32_t value;
};

TEST_F(HotKeyTextTest, ParsesCombinations) {
    const ParseCase cases[] = {
        {"Ctrl+F1", Ctrl + 112},
        {"Alt+Ctrl+R", Alt + Ctrl + 'R'},
        {"Ctrl+Shift+F1", Ctrl + Shift + 112},
        {"alt+ctrl+r", Alt + Ctrl + 'R'},
        {"Ctrl + Alt + R", Alt + Ctrl + 'R'},
        {"  Ctrl+  F1  ", Ctrl + 112},
        {"Ctrl\nF1", Ctrl + 112},
        {"Ctrl\r\nF1", Ctrl + 112},
        {"Shift+Shift+A", Shift + 'A'},
        {"Win+E", Win + 'E'},
        {"WIN+e", Win + 'E'},
        {"Shift+Ctrl+Alt+Win+Z", Shift + Ctrl + Alt + Win + 'Z'},
        {"F1", 112},
        {"7", '7'},
        {"Ctrl+Alt+Delete", Ctrl + Alt + 46},
        {"Ctrl+Num +", Ctrl + 107},
        {"Num", 107},
        {",", 188},
        {"Ctrl+.", Ctrl + 190},
        {"Ctrl+'", Ctrl + 222}, // a lone quote runs to the end and stays in the piece
    };
    for (const ParseCase& c : cases)
        EXPECT_EQ(ParseHotKeyText(c.text), c.value) << '"' << c.text << '"';
}

TEST_F(HotKeyTextTest, RefusesTextsThatNameNoCombination) {
    for (const char* text : {"", "+", " + ", "Foo+F1", "Ctrl+Foo+F1", "Ctrl+Alt", "Ctrl+", "Ctrl+Ctrl", "Foo",
                             "Ctrl+Del", "Ctrl+\t", "Ctrl+\"F1\"", "Ctrl+'+'", "Ctrl+'+", "Ctrl", "F1+Ctrl"})
        EXPECT_EQ(ParseHotKeyText(text), 0u) << '"' << text << '"';
}

TEST_F(HotKeyTextTest, ModifierNamesCountAsKeysOnlyWhenSpelledDifferently) {
    // The "is it a modifier" test is case-sensitive; the name lookup is not.
    EXPECT_EQ(ParseHotKeyText("Ctrl"), 0u);
    EXPECT_EQ(ParseHotKeyText("ctrl"), 17u);
    EXPECT_EQ(ParseHotKeyText("SHIFT"), 16u);
}

TEST_F(HotKeyTextTest, FindsKeysByTheirEnglishNames) {
    const ParseCase cases[] = {
        {"Backspace", 8},
        {"Tab", 9},
        {"Enter", 13},
        {"Esc", 27},
        {"Space", 32},
        {"Page Up", 33},
        {"Page Down", 34},
        {"End", 35},
        {"Home", 36},
        {"Left", 37},
        {"Up", 38},
        {"Right", 39},
        {"Down", 40},
        {"Insert", 45},
        {"Delete", 46},
        {"Num 0", 96},
        {"num 9", 105},
        {"Num *", 106},
        {"Num -", 109},
        {"F12", 123},
        {"F24", 135},
        {"Caps Lock", 20},
        {"Scroll Lock", 145},
        {"Right Shift", 161},
        {"-", 189},
        {"=", 187},
        {"Browser Back", 166},
        {"Volume Up", 175},
        {"Start Application 2", 183},
    };
    for (const ParseCase& c : cases)
        EXPECT_EQ(ParseHotKeyText(c.text), c.value) << '"' << c.text << '"';
}

struct FormatCase {
    std::uint32_t value;
    const char* text;
};

TEST_F(HotKeyTextTest, FormatsWithModifiersInFixedOrder) {
    const FormatCase cases[] = {
        {Alt + Ctrl + 'R', "Ctrl+Alt+R"},
        {Ctrl + 112, "Ctrl+F1"},
        {Ctrl + Shift + 112, "Ctrl+Shift+F1"},
        {Win + Alt + 'E', "Alt+Win+E"},
        {Shift + Ctrl + Alt + Win + 'Z', "Ctrl+Shift+Alt+Win+Z"},
        {Ctrl + 107, "Ctrl+Num +"},
        {Ctrl + 0x100 + 112, "Ctrl+F1"}, // bits 8-12 carry nothing
        {33, "Page Up"},
        {105, "Num 9"},
        {45, "Insert"},
        {96, "Num 0"},
        {46, "Delete"},
        {110, "Num Del"},
        {166, "Browser Back"},
        {183, "Start Application 2"},
        {184, ""},
        {10, ""},
        {Ctrl, "Ctrl+"},
    };
    for (const FormatCase& c : cases)
        EXPECT_EQ(FormatHotKeyText(c.value), c.text) << c.value;
}

TEST_F(HotKeyTextTest, KeyDisplayNameFollowsTheExtendedFlag) {
    struct Case {
        std::uint32_t value;
        bool extended;
        const char* name;
    };
    const Case cases[] = {
        {33, false, "Num 9"},      {33, true, "Page Up"},    {45, false, "Num 0"}, {45, true, "Insert"},
        {105, true, "Page Up"},    {17, true, "Right Ctrl"}, {65, true, "A"},      {176, false, "Next Track"},
        {Ctrl + 112, false, "F1"}, {255, false, ""},         {7, false, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeyDisplayName(c.value, c.extended), c.name) << c.value << (c.extended ? " extended" : "");
}

TEST_F(HotKeyTextTest, FormattedTextsParseBack) {
    // Every key with a name that is no modifier word, under every modifier set.
    int checked = 0;
    for (std::uint16_t key = 8; key <= 255; ++key) {
        const std::string name = KeyDisplayName(key, false);
        if (name.empty() || name == "Ctrl" || name == "Shift" || name == "Alt")
            continue;
        for (std::uint16_t modifiers = 0; modifiers < 16; ++modifiers) {
            const std::string text = FormatHotKeyText(PackHotKey(modifiers, key));
            const std::uint32_t parsed = ParseHotKeyText(text);
            // Keys that share a name (e.g. Num 5 and Clear) come back as the first of them.
            EXPECT_EQ(FormatHotKeyText(parsed), text);
            EXPECT_EQ(parsed & ~0xFFu, PackHotKey(modifiers, 0)) << text;
            ++checked;
        }
    }
    EXPECT_GT(checked, 100 * 16);
}

TEST_F(HotKeyTextTest, PackAndUnpackAreInverse) {
    struct Case {
        std::uint16_t modifiers;
        std::uint16_t key;
        std::uint32_t value;
    };
    const Case cases[] = {
        {2, 112, 16496}, {3, 82, 49234}, {6, 112, 24688}, {8, 69, Win + 69}, {15, 90, 122970}, {0, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PackHotKey(c.modifiers, c.key), c.value);
        const std::optional<UnpackedHotKey> unpacked = UnpackHotKey(c.value);
        ASSERT_TRUE(unpacked.has_value()) << c.value;
        EXPECT_EQ(unpacked->modifiers, c.modifiers) << c.value;
        EXPECT_EQ(unpacked->key, c.key) << c.value;
    }
}

TEST_F(HotKeyTextTest, UnpackKeepsTheLowByteAndRefusesValuesFrom2To24) {
    const std::optional<UnpackedHotKey> highest = UnpackHotKey((1u << 24) - 1);
    ASSERT_TRUE(highest.has_value());
    EXPECT_EQ(highest->key, 0xFF);
    EXPECT_EQ(highest->modifiers, 15);
    EXPECT_EQ(UnpackHotKey(0x1F00 + 112)->key, 112);
    EXPECT_EQ(UnpackHotKey(0x1F00 + 112)->modifiers, 0);
    for (const std::uint32_t value : {1u << 24, (1u << 24) + Ctrl + 112, 0xFFFFFFFFu})
        EXPECT_FALSE(UnpackHotKey(value).has_value()) << value;
}

TEST_F(HotKeyTextTest, ModifierWordsComeFromTheKeyNamesAndCanBeCleared) {
    EXPECT_EQ(ShiftWord, "Shift");
    EXPECT_EQ(CtrlWord, "Ctrl");
    EXPECT_EQ(AltWord, "Alt");
    EXPECT_EQ(WinWord, "Win");

    ClearModifierWords();
    EXPECT_EQ(ShiftWord + CtrlWord + AltWord + WinWord, "");
    // The English words are always understood.
    EXPECT_EQ(ParseHotKeyText("Ctrl+F1"), Ctrl + 112);
    EXPECT_EQ(FormatHotKeyText(Ctrl + 112), "+F1");
}

TEST_F(HotKeyTextTest, OtherModifierWordsAreReadAndWritten) {
    CtrlWord = "Strg";
    WinWord = "WIN";
    EXPECT_EQ(ParseHotKeyText("strg+F1"), Ctrl + 112);
    EXPECT_EQ(ParseHotKeyText("Ctrl+F1"), Ctrl + 112);
    EXPECT_EQ(ParseHotKeyText("Strg"), 0u);
    EXPECT_EQ(FormatHotKeyText(Ctrl + Win + 112), "Strg+WIN+F1");
}

} // namespace
