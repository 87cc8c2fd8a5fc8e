#include "settings/ProfileFile.h"

#include <climits>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace {

struct IntegerCase {
    std::string value;
    int expected;
};

void PrintTo(const IntegerCase& row, std::ostream* out) {
    *out << '"' << row.value << '"';
}

class IntegerValue : public testing::TestWithParam<IntegerCase> {};

// 7 is the fallback: every row reading 7 is a value that is no number.
TEST_P(IntegerValue, ReadsAsTheKeysNumberOrItsFallback) {
    const auto profile = ProfileFile::parse("[timedif]\nminutes=" + GetParam().value + "\n");
    EXPECT_EQ(profile.readInteger("timedif", "minutes", 7), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, IntegerValue,
    testing::Values(IntegerCase{"-90", -90}, IntegerCase{"+12", 12}, IntegerCase{"0012", 12},
                    IntegerCase{"0x5A", 90}, IntegerCase{"0X5a", 90}, IntegerCase{"$1F", 31},
                    IntegerCase{"0x", 7}, IntegerCase{"0X", 7}, IntegerCase{"$", 7}, IntegerCase{"abc", 7},
                    IntegerCase{"", 7}, IntegerCase{"12abc", 7}, IntegerCase{"- 5", 7}, IntegerCase{"-", 7},
                    IntegerCase{"-0x10", 7}, IntegerCase{"0x5G", 7}, IntegerCase{"  42\t", 42},
                    IntegerCase{"\"42\"", 42}, IntegerCase{"'0x10'", 16}, IntegerCase{"2147483647", INT_MAX},
                    IntegerCase{"-2147483648", INT_MIN}, IntegerCase{"2147483648", 7},
                    IntegerCase{"-2147483649", 7}, IntegerCase{"$FFFFFFFF", -1},
                    IntegerCase{"0x100000000", 7}, IntegerCase{"99999999999999999999", 7}));

struct BoolCase {
    std::optional<std::string> value; // none: the key is missing
    bool fallback;
    bool expected;
};

void PrintTo(const BoolCase& row, std::ostream* out) {
    *out << '"' << row.value.value_or("<missing>") << "\" fallback " << row.fallback;
}

class BoolValue : public testing::TestWithParam<BoolCase> {};

TEST_P(BoolValue, AnyNonZeroNumberIsTrue) {
    const BoolCase& row = GetParam();
    const std::string line = row.value ? "showexpanded=" + *row.value + "\n" : "";
    const auto profile = ProfileFile::parse("[timedif]\n" + line);
    EXPECT_EQ(profile.readBool("timedif", "showexpanded", row.fallback), row.expected);
}

INSTANTIATE_TEST_SUITE_P(Rules, BoolValue,
                         testing::Values(BoolCase{"2", false, true}, BoolCase{"1", false, true},
                                         BoolCase{"-1", false, true}, BoolCase{"0x10", false, true},
                                         BoolCase{"0", true, false}, BoolCase{"yes", false, false},
                                         BoolCase{"yes", true, true}, BoolCase{"", true, true},
                                         BoolCase{std::nullopt, true, true},
                                         BoolCase{std::nullopt, false, false}));

struct TextCase {
    const char* what;
    std::string file;
    std::string section;
    std::string expected; // "-" is the fallback
};

void PrintTo(const TextCase& row, std::ostream* out) {
    *out << row.what;
}

class TextLookup : public testing::TestWithParam<TextCase> {};

TEST_P(TextLookup, FindsTheValueTheFileMeans) {
    const TextCase& row = GetParam();
    EXPECT_EQ(ProfileFile::parse(row.file).readText(row.section, "country", "-"), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, TextLookup,
    testing::Values(
        TextCase{"blanks around", "[timedif]\ncountry=  Paris \t\n", "timedif", "Paris"},
        TextCase{"double quotes", "[timedif]\ncountry=\"New York\"\n", "timedif", "New York"},
        TextCase{"single quotes keep inner blanks", "[timedif]\ncountry= ' x ' \n", "timedif", " x "},
        TextCase{"only one pair", "[timedif]\ncountry=''x''\n", "timedif", "'x'"},
        TextCase{"quotes must match", "[timedif]\ncountry=\"abc'\n", "timedif", "\"abc'"},
        TextCase{"a lone quote", "[timedif]\ncountry=\"\n", "timedif", "\""},
        TextCase{"empty value", "[timedif]\ncountry=\n", "timedif", ""},
        TextCase{"empty quotes", "[timedif]\ncountry=\"\"\n", "timedif", ""},
        TextCase{"value holds =", "[timedif]\ncountry=a=b\n", "timedif", "a=b"},
        TextCase{"missing key", "[timedif]\nminutes=5\n", "timedif", "-"},
        TextCase{"missing section", "[alarm1]\ncountry=x\n", "timedif", "-"},
        TextCase{"key before any section", "country=x\n[timedif]\n", "timedif", "-"},
        TextCase{"names ignore case", "[TimeDif]\nCOUNTRY=x\n", "timedif", "x"},
        TextCase{"blanks around names", "  [ timedif ]  \n  country  = x\n", "timedif", "x"},
        TextCase{"text after the bracket", "[timedif] ; mine\ncountry=x\n", "timedif", "x"},
        TextCase{"first key wins", "[timedif]\ncountry=first\ncountry=second\n", "timedif", "first"},
        TextCase{"first section wins", "[timedif]\ncountry=a\n[TIMEDIF]\ncountry=b\n", "timedif", "a"},
        TextCase{"only the first section counts", "[timedif]\n[timedif]\ncountry=b\n", "timedif", "-"},
        TextCase{"no prefix match", "[alarm10]\ncountry=x\n", "alarm1", "-"},
        TextCase{"unclosed header stays in the section above", "[timedif]\n[alarm1\ncountry=b\n", "timedif",
                 "b"},
        TextCase{"unclosed header opens no section", "[alarm1\ncountry=b\n", "alarm1", "-"},
        TextCase{"comments", "; note\n[timedif]\n;country=x\ncountry=y\n", "timedif", "y"},
        TextCase{"a line without =", "[timedif]\ncountry\ncountry=x\n", "timedif", "x"}));

TEST(TextLength, LongValuesAreCutAt2047Characters) {
    const struct {
        std::string value;
        std::string expected;
    } rows[] = {
        {std::string(2046, 'a'), std::string(2046, 'a')},
        {std::string(2047, 'a'), std::string(2047, 'a')},
        {std::string(2048, 'a'), std::string(2047, 'a')},
        // The quotes are no part of the length.
        {std::string(1, '"').append(2047, 'q').append(1, '"'), std::string(2047, 'q')},
    };
    for (const auto& row : rows) {
        const auto profile = ProfileFile::parse("[timedif]\ncountry=" + row.value + "\n");
        EXPECT_EQ(profile.readText("timedif", "country", "-"), row.expected) << row.value.size();
    }
}

} // namespace
