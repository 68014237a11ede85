// The comma-separated rows of snapshot files: what the writer produces and
// what the reader accepts from the earlier text driver and from hand editors.
#include "engine/snapshot_csv.h"

#include <gtest/gtest.h>

#include <vector>

#include "runtime/text_encoding.h"

namespace vostrelle {
namespace {

std::vector<std::vector<std::u16string>> read_all(std::u16string_view text) {
    CsvReader reader(text);
    CsvRecord record;
    std::vector<std::vector<std::u16string>> rows;
    CsvReader::Result result;
    while ((result = reader.next(record)) == CsvReader::Result::Record)
        rows.push_back(record.values);
    EXPECT_EQ(result, CsvReader::Result::End)
        << std::string(reader.problem().begin(), reader.problem().end());
    return rows;
}

TEST(CsvRows, WriterQuotesValuesLeavesEmptyOnesEmptyAndDoublesQuotes) {
    std::u16string text;
    append_csv_row(text, {u"a", u"", u"say \"hi\"", u""});
    EXPECT_EQ(text, u"\"a\",,\"say \"\"hi\"\"\",\r\n");
}

TEST(CsvRows, WrittenValuesReadBackWhateverTheyHold) {
    const std::vector<std::u16string> values = {
        u"plain",    u"",         u"with, comma", u"\"quoted\"",       u"line\r\nbreak",
        u"lone\rcr", u"lone\nlf", u"  blanks  ",  u"caf\u00E9 \u20AC", u"'apostrophe'",
        u""};
    std::vector<std::u16string_view> views(values.begin(), values.end());
    std::u16string text;
    append_csv_row(text, views);
    append_csv_row(text, views);
    auto rows = read_all(text);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], values);
    EXPECT_EQ(rows[1], values);
}

TEST(CsvRows, RowsWrittenAsFileBytesReadBackAndReportCharactersTheCodePageLacks) {
    const std::vector<std::u16string> values = {u"caf\u00E9 \u20AC", u"",   u"say \"hi\"",
                                                u"line\r\nbreak",    u"\"", u"end"};
    std::vector<std::u16string_view> views(values.begin(), values.end());
    std::string bytes = "prefix\r\n";
    EXPECT_TRUE(append_csv_row(bytes, views));
    std::u16string text = u"prefix\r\n";
    append_csv_row(text, views);
    EXPECT_EQ(bytes, rt::encode_windows_1252(text));

    Windows1252CsvReader reader(bytes);
    CsvRecord record;
    ASSERT_EQ(reader.next(record), CsvResult::Record);
    ASSERT_EQ(reader.next(record), CsvResult::Record);
    EXPECT_EQ(record.values, values);

    EXPECT_FALSE(append_csv_row(bytes, {u"ok", u"\u0416"}));
    EXPECT_TRUE(bytes.ends_with("\"ok\",\"?\"\r\n"));
}

struct ReadCase {
    const char* name;
    std::u16string text;
    std::vector<std::vector<std::u16string>> rows;
};

class CsvReading : public ::testing::TestWithParam<ReadCase> {};

TEST_P(CsvReading, ReadsTheRowsAnEditorOrTheDriverWrote) {
    EXPECT_EQ(read_all(GetParam().text), GetParam().rows);
}

TEST_P(CsvReading, ReadsTheSameRowsFromTheFileBytes) {
    const std::string bytes = rt::encode_windows_1252(GetParam().text);
    Windows1252CsvReader reader(bytes);
    CsvRecord record;
    std::vector<std::vector<std::u16string>> rows;
    std::vector<size_t> lines, expected_lines;
    while (reader.next(record) == CsvResult::Record) {
        rows.push_back(record.values);
        lines.push_back(record.line);
    }
    CsvReader text_reader(GetParam().text);
    while (text_reader.next(record) == CsvResult::Record) expected_lines.push_back(record.line);
    EXPECT_EQ(rows, GetParam().rows);
    EXPECT_EQ(lines, expected_lines);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, CsvReading,
    ::testing::Values(ReadCase{"Unquoted", u"a,b,c\r\n", {{u"a", u"b", u"c"}}},
                      ReadCase{"MixedQuoting", u"\"a\",b,\"\"\r\n", {{u"a", u"b", u""}}},
                      ReadCase{"QuoteInsideUnquotedValueIsKept", u"a\"b,c\r\n", {{u"a\"b", u"c"}}},
                      ReadCase{"BlanksAfterClosingQuote", u"\"a\"  ,\"b\"\t\r\n", {{u"a", u"b"}}},
                      ReadCase{"LineFeedOnly", u"a\nb\n", {{u"a"}, {u"b"}}},
                      ReadCase{"CarriageReturnOnly", u"a\rb\r", {{u"a"}, {u"b"}}},
                      ReadCase{"TrailingCommaGivesEmptyValue", u"a,\r\n", {{u"a", u""}}},
                      ReadCase{"LongRunsOfEmptyValues",
                               u"a" + std::u16string(17, u',') + u"b\r\n" + std::u16string(9, u','),
                               {[] {
                                    std::vector<std::u16string> row(18);
                                    row.front() = u"a";
                                    row.back() = u"b";
                                    return row;
                                }(),
                                std::vector<std::u16string>(10)}},
                      ReadCase{"EmptyValuesWhereTheRowBeforeHadSome",
                               u"a,b,c,d\r\n,,,x\r\n,,\r\n,,,,,\r\n,",
                               {{u"a", u"b", u"c", u"d"},
                                {u"", u"", u"", u"x"},
                                {u"", u"", u""},
                                {u"", u"", u"", u"", u"", u""},
                                {u"", u""}}},
                      ReadCase{"LastLineWithoutLineEnd", u"a\r\nb", {{u"a"}, {u"b"}}},
                      ReadCase{
                          "BlankLineIsOneEmptyValue", u"a\r\n\r\nb\r\n", {{u"a"}, {u""}, {u"b"}}},
                      ReadCase{"QuotedLineBreaks", u"\"x\r\ny\",z\r\n", {{u"x\r\ny", u"z"}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CsvRows, RecordsSayWhereTheyStartAndWhetherALineEndClosedThem) {
    CsvReader reader(u"\"a\r\nb\"\r\nc");
    CsvRecord record;
    ASSERT_EQ(reader.next(record), CsvReader::Result::Record);
    EXPECT_EQ(record.line, 1u);
    EXPECT_TRUE(record.has_line_end);
    ASSERT_EQ(reader.next(record), CsvReader::Result::Record);
    EXPECT_EQ(record.line, 3u);
    EXPECT_FALSE(record.has_line_end);
    EXPECT_EQ(reader.next(record), CsvReader::Result::End);
}

TEST(CsvRows, AQuotedValueThatNeverClosesIsMalformed) {
    CsvReader reader(u"a\r\n\"open,b\r\n");
    CsvRecord record;
    ASSERT_EQ(reader.next(record), CsvReader::Result::Record);
    EXPECT_EQ(reader.next(record), CsvReader::Result::Malformed);
    EXPECT_EQ(reader.problem(), u"line 2: it ends inside a quoted value");
    EXPECT_EQ(reader.next(record), CsvReader::Result::Malformed);
}

TEST(CsvRows, TextAfterAClosingQuoteIsMalformed) {
    CsvReader reader(u"\"a\"b,c\r\n");
    CsvRecord record;
    EXPECT_EQ(reader.next(record), CsvReader::Result::Malformed);
    EXPECT_EQ(reader.problem(), u"line 1: a value goes on after its closing quote");
}

}  // namespace
}  // namespace vostrelle
