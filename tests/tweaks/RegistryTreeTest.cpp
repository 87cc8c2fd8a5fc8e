#include "platform/RegistryTree.h"

#include "ErrorText.h"
#include "base/DialtopError.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

const char* const Root = "HKEY_CURRENT_USER";

RegistryTree parsed(std::string_view text) {
    auto tree = RegistryTree::parse(text, Root);
    EXPECT_TRUE(tree) << text;
    return tree.value_or(RegistryTree());
}

TEST(RegistryTree, EveryTypeAndOddNamesComeBackFromTheText) {
    RegistryTree tree;
    RegistryKey& key = tree.create("Odd \"Key\"\\with]bracket\\.DEFAULT");
    const std::vector<RegistryValue> values = {
        TextValue("MenuShowDelay", "400"),
        TextValue("quote\" and \\back\\slash", "C:\\Path \"quoted\"\t tab"),
        TextValue("", "default value"),
        TextValue("SCRNSAVE.EXE", ""),
        TextValue("lines", "one\n\rtwo"),
        TextValue("zero inside", "a\0b"s),
        DwordValue("PaintDesktopVersion", 1),
        DwordValue("negative", -2),
        {"ExpandMe", REG_EXPAND_SZ, "%HOME%\\x"s + '\0'},
        {"binary", REG_BINARY, std::string(60, '\xab')},
        {"short dword", REG_DWORD, "\x01\x02"s},
        {"multi", 7, "a\0b\0\0"s},
        {"none", REG_NONE, ""},
        {"ünïcödé", REG_SZ, "ünïcödé\0"s},
    };
    for (const RegistryValue& value : values)
        key.put(value);

    const std::string text = tree.text(Root);
    const RegistryTree back = parsed(text);
    EXPECT_EQ(back.text(Root), text);
    const RegistryKey* found = back.find("odd \"KEY\"\\WITH]BRACKET\\.default");
    ASSERT_TRUE(found) << text;
    EXPECT_EQ(found->path(), "Odd \"Key\"\\with]bracket\\.DEFAULT");
    for (const RegistryValue& value : values) {
        const RegistryValue* read = found->find(value.name);
        ASSERT_TRUE(read) << value.name << "\n" << text;
        EXPECT_EQ(read->name, value.name);
        EXPECT_EQ(read->type, value.type) << value.name;
        EXPECT_EQ(read->data, value.data) << value.name;
    }
    // The parents exist with their child.
    EXPECT_TRUE(back.find("Odd \"Key\"\\with]bracket"));
    EXPECT_TRUE(back.find("odd \"key\""));
    // Plain values stay readable as a person would write them.
    EXPECT_NE(text.find("\"MenuShowDelay\"=\"400\"\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\"negative\"=dword:fffffffe\n"), std::string::npos) << text;
    EXPECT_NE(text.find("@=\"default value\"\n"), std::string::npos) << text;
}

TEST(RegistryTree, ReadsAHandWrittenExport) {
    const RegistryTree tree = parsed("REGEDIT4\r\n"
                                     "; my notes\r\n"
                                     "\r\n"
                                     "[hkey_current_user\\Control Panel\\Desktop]\r\n"
                                     "\"MenuShowDelay\"=\"400\"  \r\n"
                                     "\"Wallpaper\"=hex(2):25,48,4f,\\\r\n"
                                     "  4D,45,25,00\r\n"
                                     "\"PaintDesktopVersion\"=dword:0000002A\r\n"
                                     "\"menushowdelay\"=\"later wins\"\r\n"
                                     "[HKEY_CURRENT_USER]\n"
                                     "@=\"root's own\"");
    const RegistryKey* desktop = tree.find("CONTROL PANEL\\desktop");
    ASSERT_TRUE(desktop);
    EXPECT_EQ(desktop->values().size(), 3u);
    EXPECT_EQ(TextOf(desktop->find("MENUSHOWDELAY"), "MenuShowDelay"), "later wins");
    EXPECT_EQ(desktop->find("menushowdelay")->name, "MenuShowDelay");
    EXPECT_EQ(TextOf(desktop->find("wallpaper"), "Wallpaper"), "%HOME%");
    EXPECT_EQ(DwordOf(desktop->find("paintdesktopversion"), "PaintDesktopVersion"), 42);
    EXPECT_TRUE(tree.find("control panel"));
    EXPECT_EQ(TextOf(tree.find("")->find(""), "@"), "root's own");
}

TEST(RegistryTree, RefusesTextThatIsNoExportOfItsRoot) {
    const char* const foreign[] = {
        "\"MenuShowDelay\"=\"400\"\n",                       // a value before any key
        "[HKEY_CURRENT_USERS\\Software]\n",                  // a root of another name
        "[-HKEY_CURRENT_USER\\Software]\n",                  // a deletion, not an export
        "[HKEY_CURRENT_USER\\Software\\]\n",                 // ends with a backslash
        "[HKEY_CURRENT_USER\\a]\n\"x\"=-\n",                 // a deletion
        "[HKEY_CURRENT_USER\\a]\n\"x\"=\"a\\nb\"\n",         // an escape the format has not
        "[HKEY_CURRENT_USER\\a]\n\"x\"=dword:123456789\n",   // nine digits
        "[HKEY_CURRENT_USER\\a]\n\"x\"=hex:01,02,\\\n",      // cut after a continued line
        "[HKEY_CURRENT_USER\\a]\n\"x\"=hex(123456789):01\n", // a type beyond 32 bits
        "[HKEY_CURRENT_USER\\a]\nx=\"1\"\n",                 // an unquoted name
        "\x89PNG\r\n\x1a\n",                                 // a file of another kind
    };
    for (const char* text : foreign)
        EXPECT_FALSE(RegistryTree::parse(text, Root)) << text;
    EXPECT_FALSE(RegistryTree::parse("[HKEY_CURRENT_USER\\a]\n\"x\"=\"1\"\0\n"s, Root));
    // The header counts only as the first line.
    EXPECT_FALSE(RegistryTree::parse("[HKEY_CURRENT_USER\\a]\nREGEDIT4\n", Root));
    EXPECT_TRUE(RegistryTree::parse("", Root));
}

TEST(RegistryTree, TypedReadsGiveTheRegistrysFailureTexts) {
    RegistryKey key("k");
    key.put(TextValue("Text", "400"));
    key.put(DwordValue("Number", -1));
    key.put({"Long", REG_DWORD, std::string(8, '\1')});
    key.put({"Short", REG_DWORD, "\x2a"s});
    key.put({"Empty", REG_DWORD, ""});
    key.put({"Binary", REG_BINARY, "ab"});
    key.put({"Expand", REG_EXPAND_SZ, "abc\0def\0"s});

    EXPECT_EQ(DwordOf(key.find("number"), "number"), -1);
    EXPECT_EQ(DwordOf(key.find("Short"), "Short"), 42);
    EXPECT_EQ(errorOf([&] { DwordOf(key.find("Text"), "Text"); }), "Invalid data type for 'Text'");
    EXPECT_EQ(errorOf([&] { DwordOf(key.find("Long"), "Long"); }), "Failed to get data for 'Long'");
    EXPECT_EQ(errorOf([&] { DwordOf(key.find("Missing"), "Missing"); }), "Failed to get data for 'Missing'");

    EXPECT_EQ(TextOf(key.find("Expand"), "Expand"), "abc");
    // A value without data reads as the empty text, whatever its type.
    EXPECT_EQ(TextOf(key.find("Empty"), "Empty"), "");
    EXPECT_EQ(errorOf([&] { TextOf(key.find("Number"), "Number"); }), "Invalid data type for 'Number'");
    EXPECT_EQ(errorOf([&] { TextOf(key.find("Binary"), "Binary"); }), "Invalid data type for 'Binary'");
    EXPECT_EQ(errorOf([&] { TextOf(key.find("Missing"), "Missing"); }), "Failed to get data for 'Missing'");
}

TEST(RegistryTree, KeyPathsAreTakenAsTheRegistryTakesThem) {
    EXPECT_EQ(KeyPathBelowRoot("\\.DEFAULT\\a b.c"), ".DEFAULT\\a b.c");
    EXPECT_EQ(KeyPathBelowRoot("\\"), "");
    EXPECT_EQ(KeyPathBelowRoot("\\\\a"), std::nullopt);
    EXPECT_EQ(KeyPathBelowRoot("\\a\\"), std::nullopt);
    EXPECT_EQ(KeyPathBelowRoot("\\a\nb"), std::nullopt);
    // Every parent of a key is made with it, so a long path would cost as much as its length squared.
    std::string deep = "a";
    while (deep.size() < MaxKeyPathLength)
        deep += "\\a";
    EXPECT_EQ(KeyPathBelowRoot(deep), deep);
    EXPECT_EQ(KeyPathBelowRoot(deep + "a"), std::nullopt);
    EXPECT_TRUE(RegistryTree::parse("[HKEY_CURRENT_USER\\" + deep + "]\n", Root));
    EXPECT_FALSE(RegistryTree::parse("[HKEY_CURRENT_USER\\" + deep + "\\a]\n", Root));
}

} // namespace
