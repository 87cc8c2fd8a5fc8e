#include "settings/ProfileFile.h"

#include <climits>
#include <gtest/gtest.h>
#include <string>

namespace {

using namespace std::string_literals;

TEST(ProfileBytes, ComeBackExactlyAsRead) {
    for (const std::string& bytes :
         {""s, "\n"s, "\r\n\r\n"s, "[a]"s, "[a]\r\nk = v \r\n; c\n"s, "x\ry\r"s, "[unclosed\nk=v"s,
          "\0\xff[\0]\n=\n==\n"s, "  [ a ] tail\n\tk\t=\t'v'\t"s}) {
        EXPECT_EQ(ProfileFile::parse(bytes).bytes(), bytes);
    }
}

// The writes a save makes, in a small form: an existing key, a missing key, a missing section.
std::string afterWrites(const std::string& bytes) {
    ProfileFile profile = ProfileFile::parse(bytes);
    profile.writeInteger("timedif", "minutes", INT_MIN);
    profile.writeText("timedif", "country", "x");
    profile.writeBool("alarm1", "ison", true);
    return profile.bytes();
}

TEST(ProfileWrite, ChangesOnlyTheLinesOfTheKeysWritten) {
    const std::string added = "[alarm1]\nison=1\n";
    const struct {
        const char* what;
        std::string before;
        std::string after;
    } rows[] = {
        {"from scratch", "", "[timedif]\nminutes=-2147483648\ncountry=x\n" + added},
        {"foreign lines kept, our keys in place",
         "; my clock\n[other]\nminutes=1\n[TimeDif]\nnote=mine\n Minutes = 3\n; after\n\n[alarm2]\nsound=s\n",
         "; my clock\n[other]\nminutes=1\n[TimeDif]\nnote=mine\nminutes=-2147483648\ncountry=x\n; after\n\n"
         "[alarm2]\nsound=s\n" +
             added},
        {"CRLF file", "[timedif]\r\nminutes=3\r\n",
         "[timedif]\r\nminutes=-2147483648\r\ncountry=x\r\n[alarm1]\r\nison=1\r\n"},
        {"no line end at the end", "[timedif]\nminutes=3",
         "[timedif]\nminutes=-2147483648\ncountry=x\n" + added},
        {"a bare header at the end", "[timedif]", "[timedif]\nminutes=-2147483648\ncountry=x\n" + added},
        {"first of duplicates", "[timedif]\nminutes=1\nminutes=2\n[timedif]\ncountry=y\n",
         "[timedif]\nminutes=-2147483648\nminutes=2\ncountry=x\n[timedif]\ncountry=y\n" + added},
        {"unclosed header is no section", "[timedif\n",
         "[timedif\n[timedif]\nminutes=-2147483648\ncountry=x\n" + added},
    };
    for (const auto& row : rows)
        EXPECT_EQ(afterWrites(row.before), row.after) << row.what;
}

TEST(ProfileWrite, WhatIsWrittenReadsBack) {
    ProfileFile profile = ProfileFile::parse(afterWrites("[timedif]\nminutes=3\n"));
    profile.writeBool("alarm1", "hour", false);
    EXPECT_EQ(profile.readInteger("timedif", "minutes", 0), INT_MIN);
    EXPECT_EQ(profile.readText("timedif", "country", "-"), "x");
    EXPECT_TRUE(profile.readBool("alarm1", "ison", false));
    EXPECT_FALSE(profile.readBool("alarm1", "hour", true));
}

TEST(ProfileWrite, AValueCannotAddLinesOfItsOwn) {
    ProfileFile profile;
    profile.writeText("timedif", "country", "a\nminutes=9\n[alarm1]\nison=1");
    profile.writeText("timedif", "sound", "b\r\nc");
    EXPECT_EQ(profile.bytes(), "[timedif]\ncountry=a\nsound=b\n");
}

} // namespace
