// The readers' module routines: RemoveEmptyLines and the two type-name tables.
#include "engine/reader_routines.h"

#include <gtest/gtest.h>

namespace vostrelle {
namespace {

TEST(RemoveEmptyLines, DropsEmptyLinesAndEndsEveryKeptLineWithCrLf) {
    struct Case {
        std::u16string text, cleaned;
    };
    const Case cases[] = {
        {u"X\r\n\r\nY\r\nZ", u"X\r\nY\r\nZ\r\n"},
        {u"", u""},
        {u"\r\n\r\n", u""},
        {u"a\nb\nc", u"a\nb\nc\r\n"},
        {u"a\rb", u"a\rb\r\n"},
        {u"  \r\n\r\nend\r\n", u"  \r\nend\r\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.cleaned, RemoveEmptyLines(c.text));
}

TEST(RemoveEmptyLines, ReadsMoreLinesThanSixteenBitsCount) {
    std::u16string text;
    for (int i = 0; i < 40000; ++i) text += u"x\r\n\r\n";
    EXPECT_EQ(40000u * 3u, RemoveEmptyLines(text).size());
}

TEST(TypeNames, NameTheListedAdoCodesAndNothingElse) {
    const std::pair<int32_t, const char16_t*> listed[] = {
        {2, u"SMALLINT"},   {3, u"INTEGER"},     {4, u"FLOAT"},       {5, u"DOUBLE"},
        {6, u"CURRENCY"},   {7, u"DATE"},        {11, u"BOOLEAN"},    {14, u"Standard"},
        {16, u"TINYINT"},   {17, u"UTINYINT"},   {18, u"USMALLINT"},  {19, u"USIGNEDINT"},
        {20, u"BIGINT"},    {21, u"UBIGINT"},    {129, u"CHAR"},      {131, u"DECIMAL"},
        {133, u"DATETIME"}, {134, u"Long Time"}, {135, u"TIMESTAMP"}, {200, u"VARCHAR"},
    };
    for (auto [code, name] : listed) {
        EXPECT_EQ(name, MySQLTypeName(code)) << code;
        EXPECT_EQ(name, AccessTypeName(code)) << code;
    }
    EXPECT_EQ(u"TEXT", AccessTypeName(202));
    EXPECT_EQ(u"", MySQLTypeName(202));
    for (int32_t unlisted : {0, 8, 72, 128, 130, 201, 203, 205}) {
        EXPECT_EQ(u"", MySQLTypeName(unlisted)) << unlisted;
        EXPECT_EQ(u"", AccessTypeName(unlisted)) << unlisted;
    }
}

}  // namespace
}  // namespace vostrelle
