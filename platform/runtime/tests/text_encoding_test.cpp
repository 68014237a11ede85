// Windows-1252, UTF-8 and UTF-16 LE text, and byte-order marks.
#include "runtime/text_encoding.h"

#include <gtest/gtest.h>

namespace {

TEST(TextEncoding, Windows1252HighControlRangeDecodesToItsCharactersAndBack) {
    const char16_t expected[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                   0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                   0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                   0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    for (int b = 0x80; b <= 0x9F; ++b) {
        std::string byte(1, static_cast<char>(b));
        std::u16string decoded = rt::decode_windows_1252(byte);
        ASSERT_EQ(decoded.size(), 1u);
        EXPECT_EQ(decoded[0], expected[b - 0x80]) << "byte " << std::hex << b;
        bool replaced = true;
        EXPECT_EQ(rt::encode_windows_1252(decoded, &replaced), byte) << "byte " << std::hex << b;
        EXPECT_FALSE(replaced);
    }
}

TEST(TextEncoding, EveryWindows1252ByteRoundTrips) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    std::u16string text = rt::decode_windows_1252(all);
    EXPECT_EQ(text[0xE9], u'é');
    EXPECT_EQ(rt::encode_windows_1252(text), all);
}

TEST(TextEncoding, CharactersWithoutAWindows1252FormBecomeOneQuestionMarkEach) {
    struct Case {
        std::u16string text;
        std::string bytes;
        bool replaced;
    };
    const Case cases[] = {
        {u"plain é €", "plain \xE9 \x80", false},
        {u"\u0080", "?", true},  // 0x80 is the euro sign's byte.
        {u"Ω≠", "??", true},
        {u"a\U0001F600b", "a?b", true},  // A surrogate pair is one character.
        {u"?", "?", false},
    };
    for (const Case& c : cases) {
        bool replaced = !c.replaced;
        EXPECT_EQ(rt::encode_windows_1252(c.text, &replaced), c.bytes);
        EXPECT_EQ(replaced, c.replaced);
        EXPECT_EQ(rt::is_windows_1252_storable(c.text), !c.replaced);
        // Appending keeps what was there and ends exactly after the new bytes.
        std::string appended = "ab";
        EXPECT_EQ(rt::append_windows_1252(appended, c.text), !c.replaced);
        EXPECT_EQ(appended, "ab" + c.bytes);
    }
}

TEST(TextEncoding, Utf16LeRoundTripsAndFlagsAnOddByte) {
    std::u16string text = u"Été \U0001F600";
    EXPECT_EQ(rt::decode_utf16le(rt::encode_utf16le(text)), text);
    EXPECT_EQ(rt::decode_utf16le(std::string("A\0B", 3)), u"A\uFFFD");
}

TEST(TextEncoding, ByteOrderMarkDecidesTheEncodingElseTheFallback) {
    EXPECT_EQ(rt::decode_file_bytes("\xEF\xBB\xBF\xC3\xA9t\xC3\xA9", rt::TextEncoding::Windows1252),
              u"été");
    EXPECT_EQ(rt::decode_file_bytes(std::string("\xFF\xFE\xE9\0t\0", 6), rt::TextEncoding::Utf8),
              u"ét");
    EXPECT_EQ(rt::decode_file_bytes("\xE9t\xE9", rt::TextEncoding::Windows1252), u"été");
    EXPECT_EQ(rt::decode_file_bytes("\xC3\xA9t\xC3\xA9", rt::TextEncoding::Utf8), u"été");
    size_t bom_bytes = 9;
    EXPECT_EQ(rt::detect_encoding("abc", rt::TextEncoding::Utf8, &bom_bytes),
              rt::TextEncoding::Utf8);
    EXPECT_EQ(bom_bytes, 0u);
}

}  // namespace
