#include "base/ByteText.h"

#include <gtest/gtest.h>
#include <random>
#include <string>

namespace {

using namespace std::string_literals;

TEST(ByteText, AnyBytesComeBackExactly) {
    for (int byte = 0; byte < 256; ++byte) {
        const std::string one(1, static_cast<char>(byte));
        EXPECT_EQ(BytesOfText(TextOfBytes(one)), one) << byte;
    }
    // Mostly lead and continuation bytes, so that valid, cut and overlong sequences all occur.
    const std::string alphabet = "a\x80\xbf\xc0\xc1\xc2\xdf\xe0\xed\xef\xf0\xf4\xf5\xff\xa0\x9f"s;
    std::mt19937 random(6);
    for (int round = 0; round < 20000; ++round) {
        std::string bytes;
        for (std::size_t length = random() % 9; length > 0; --length)
            bytes += alphabet[random() % alphabet.size()];
        ASSERT_EQ(BytesOfText(TextOfBytes(bytes)), bytes) << testing::PrintToString(bytes);
    }
}

TEST(ByteText, Utf8IsDecodedAndInvalidBytesShowAsLatin1) {
    EXPECT_EQ(TextOfBytes("Αθήνα"), QStringLiteral("Αθήνα"));
    EXPECT_EQ(TextOfBytes("\xf0\x90\x82\x80"), QString::fromUcs4(U"\U00010080"));
    EXPECT_EQ(DisplayedText(TextOfBytes("Z\xfcrich")), QStringLiteral("Zürich"));
    // The second half of this pair lies among the held bytes' code units; it is no byte.
    EXPECT_EQ(DisplayedText(TextOfBytes("\xf0\x90\x82\x80")), QString::fromUcs4(U"\U00010080"));
    EXPECT_EQ(DisplayedText(TextOfBytes("\xed\xa0\x80")), QStringLiteral("í\u00a0\u0080"))
        << "an encoded surrogate is no UTF-8";
    EXPECT_EQ(BytesOfText(QStringLiteral("Zürich")), "Z\xc3\xbcrich");
}

} // namespace
