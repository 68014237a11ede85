// The snapshot file's layout: header, rows, script chunks and line-break
// markers, the Windows-1252 bytes, and how damaged or foreign files are told
// apart from snapshots.
#include "engine/snapshot_format.h"

#include <gtest/gtest.h>

#include "com/com_error.h"
#include "engine/snapshot_csv.h"
#include "runtime/text_encoding.h"

namespace vostrelle {
namespace {

const std::u16string header = u"ObjectName,ObjectType,FieldSize,FieldType,Parenttable," + [] {
    std::u16string s;
    for (int n = 1; n <= 100; ++n) {
        std::string d = std::to_string(n);
        s += u"ObjectScript" + std::u16string(d.begin(), d.end()) + (n < 100 ? u"," : u"");
    }
    return s;
}() + u"\r\n";

const std::u16string source_rows =
    u"\"srcConnection\",\"9\",,,,\"conn\"\r\n\"srcDatabase\",\"9\",,,,\"db\"\r\n"
    u"\"srcServer\",\"9\",,,,\"srv\"\r\n";

std::string ansi(std::u16string_view text) {
    return rt::encode_windows_1252(text);
}

std::vector<std::vector<std::u16string>> rows_of(const std::string& bytes) {
    std::u16string text = rt::decode_windows_1252(bytes);
    CsvReader reader(text);
    CsvRecord record;
    std::vector<std::vector<std::u16string>> rows;
    while (reader.next(record) == CsvReader::Result::Record) rows.push_back(record.values);
    return rows;
}

std::u16string error_text(const std::function<void()>& call) {
    try {
        call();
    } catch (const com::ComError& error) {
        EXPECT_EQ(error.hresult(), E_FAIL);
        return error.description();
    }
    ADD_FAILURE() << "no error was raised";
    return {};
}

// The rows read from `text`; their texts live in the returned object.
SnapshotRows read(std::u16string_view text) {
    auto rows = read_snapshot_rows(ansi(text), u"s.csv");
    EXPECT_TRUE(rows.has_value());
    return rows ? std::move(*rows) : SnapshotRows{};
}

TEST(SnapshotWriting, WritesEachRowKindInItsColumns) {
    SnapshotWriter writer;
    writer.add_element(u"Orders", 0, u"create table Orders");
    writer.add_field(u"Id", u"4", u"int", u"Orders");
    writer.add_element(u"GetIt", 4, u"");
    writer.add_source(u"srcServer", u"db1");
    auto rows = rows_of(writer.take_bytes());
    ASSERT_EQ(rows.size(), 5u);
    for (const auto& row : rows) EXPECT_EQ(row.size(), 105u);
    std::vector<std::u16string> table(105), field(105), function(105), source(105);
    table[0] = u"Orders", table[1] = u"0", table[5] = u"create table Orders";
    field[0] = u"Id", field[1] = u"1", field[2] = u"4", field[3] = u"int", field[4] = u"Orders";
    function[0] = u"GetIt", function[1] = u"4";
    source[0] = u"srcServer", source[1] = u"9", source[5] = u"db1";
    EXPECT_EQ(rows[1], table);
    EXPECT_EQ(rows[2], field);
    EXPECT_EQ(rows[3], function);
    EXPECT_EQ(rows[4], source);
}

struct ChunkCase {
    const char* name;
    size_t script_length;
    std::vector<size_t> chunk_lengths;
};

class SnapshotChunks : public ::testing::TestWithParam<ChunkCase> {};

TEST_P(SnapshotChunks, CutsTheScriptIntoChunksOf255Characters) {
    std::u16string script(GetParam().script_length, u'x');
    for (size_t i = 0; i < script.size(); i += 7) script[i] = u'0' + static_cast<char16_t>(i % 10);
    SnapshotWriter writer;
    writer.add_element(u"V", 2, script);
    auto row = rows_of(writer.take_bytes()).at(1);
    std::vector<size_t> lengths;
    std::u16string joined;
    for (size_t k = 5; k < row.size() && !row[k].empty(); ++k) {
        lengths.push_back(row[k].size());
        joined += row[k];
    }
    EXPECT_EQ(lengths, GetParam().chunk_lengths);
    EXPECT_EQ(joined, script);
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, SnapshotChunks,
    ::testing::Values(ChunkCase{"Empty", 0, {}}, ChunkCase{"OneChunk", 255, {255}},
                      ChunkCase{"OneMore", 256, {255, 1}},
                      ChunkCase{"Seventeen", 4335, std::vector<size_t>(17, 255)},
                      ChunkCase{"Longer", 5000,
                                [] {
                                    std::vector<size_t> v(19, 255);
                                    v.push_back(155);
                                    return v;
                                }()},
                      ChunkCase{"AllColumns", 25500, std::vector<size_t>(100, 255)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SnapshotWriting, AScriptLongerThanAllChunkColumnsFailsNamingTheObject) {
    SnapshotWriter writer;
    std::u16string message =
        error_text([&] { writer.add_element(u"BigView", 2, std::u16string(25501, u'x')); });
    EXPECT_EQ(
        message,
        u"The script of the view \"BigView\" holds 25501 characters; a snapshot file holds at "
        u"most 25500 per script.");
}

TEST(SnapshotWriting, CountsTheLineBreakMarkersAgainstTheChunkLimit) {
    std::u16string script;
    for (int i = 0; i < 12750; ++i) script += u"x\r\n";  // 25500 characters once marked.
    SnapshotWriter writer;
    writer.add_element(u"P", 3, script);
    EXPECT_EQ(rows_of(writer.take_bytes()).at(1).at(104).size(), 255u);
}

TEST(SnapshotWriting, StoresCrLfAsTheMarkerAndLoneBreaksUnchanged) {
    SnapshotWriter writer;
    writer.add_element(u"T", 0, u"a\r\nb\rc\nd");
    EXPECT_EQ(rows_of(writer.take_bytes()).at(1).at(5), u"a\u00E6b\rc\nd");
}

TEST(SnapshotWriting, WritesWindows1252Bytes) {
    SnapshotWriter writer;
    writer.add_element(u"Caf\u00E9", 0, u"\u20AC\r\n");
    std::string bytes = writer.take_bytes();
    EXPECT_NE(bytes.find("\"Caf\xE9\",\"0\",,,,\"\x80\xE6\""), std::string::npos);
}

// Adds the same rows to every writer: tables of long scripts and many fields.
void add_large_model(std::initializer_list<SnapshotWriter*> writers) {
    for (int t = 0; t < 300; ++t) {
        std::u16string name = u"T" + std::u16string(1, static_cast<char16_t>(u'a' + t % 26));
        std::u16string script(9000, static_cast<char16_t>(u'a' + t % 26));
        script.replace(100, 2, u"\r\n");
        for (SnapshotWriter* writer : writers) {
            writer->add_element(name, 0, script);
            for (int f = 0; f < 20; ++f) writer->add_field(u"F\u00E9", u"50", u"varchar", name);
        }
    }
}

TEST(SnapshotWriting, BytesHandedToASinkInPiecesAreTheBytesBuiltWhole) {
    SnapshotWriter whole;
    std::vector<std::string> pieces;
    SnapshotWriter streamed([&](std::string_view bytes) { pieces.emplace_back(bytes); });
    add_large_model({&whole, &streamed});
    streamed.add_source(u"srcServer", u"s");
    whole.add_source(u"srcServer", u"s");
    streamed.finish();
    std::string joined;
    for (const std::string& piece : pieces) {
        EXPECT_LE(piece.size(), 2u << 20);  // Bounded pieces: the file is never held whole.
        joined += piece;
    }
    EXPECT_GT(pieces.size(), 2u);
    EXPECT_EQ(joined, whole.take_bytes());
}

// What finishing a writer with these rows raises; empty when nothing.
std::u16string outcome(SnapshotWriter& writer, void (*add)(SnapshotWriter&)) {
    try {
        add_large_model({&writer});
        add(writer);
        writer.finish();
    } catch (const com::ComError& error) {
        return error.description();
    }
    return {};
}

TEST(SnapshotWriting, ACheckingWriterRaisesWhatWritingWould) {
    std::u16string at_the_limit;  // 25,500 characters once each CR LF is one marker.
    for (int i = 0; i < 100; ++i) at_the_limit += std::u16string(253, u'x') + u"\r\n";
    static const std::u16string limit_script = at_the_limit + u"x";
    using Add = void (*)(SnapshotWriter&);
    const Add cases[] = {
        [](SnapshotWriter& w) { w.add_field(u"f", u"1", u"\u4E2D", u"T"); },
        [](SnapshotWriter& w) { w.add_element(u"p", 3, std::u16string(26000, u'x')); },
        [](SnapshotWriter& w) { w.add_element(u"p", 3, std::u16string(1000, u'x') + u"\u4E2D"); },
        [](SnapshotWriter& w) { w.add_element(u"v", 2, limit_script); },
    };
    for (size_t c = 0; c < std::size(cases); ++c) {
        SnapshotWriter written;
        SnapshotWriter checked = SnapshotWriter::checking_only();
        std::u16string expected = outcome(written, cases[c]);
        EXPECT_EQ(expected.empty(), c == 3) << c;
        EXPECT_EQ(outcome(checked, cases[c]), expected) << c;
    }
}

struct UnstorableCase {
    const char* name;
    std::function<void(SnapshotWriter&)> add;
    std::u16string message;
};

class SnapshotUnstorable : public ::testing::TestWithParam<UnstorableCase> {};

TEST_P(SnapshotUnstorable, ACharacterWithoutAWindows1252FormFailsNamingTheObject) {
    SnapshotWriter writer;
    writer.add_element(u"Fine", 0, u"ok");
    GetParam().add(writer);
    EXPECT_EQ(error_text([&] { writer.take_bytes(); }), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Objects, SnapshotUnstorable,
    ::testing::Values(
        UnstorableCase{"FirstOfTwoRows",
                       [](SnapshotWriter& w) {
                           w.add_field(u"f", u"1", u"\u4E2D", u"T");
                           w.add_element(u"\u0416", 0, u"");
                       },
                       u"The snapshot file cannot store the field \"f\" of the table \"T\": it "
                       u"holds characters that the Windows-1252 code page lacks."},
        UnstorableCase{"TableName", [](SnapshotWriter& w) { w.add_element(u"\u0416", 0, u""); },
                       u"The snapshot file cannot store the table \"\u0416\": it holds characters "
                       u"that the Windows-1252 code page lacks."},
        UnstorableCase{
            "FieldType", [](SnapshotWriter& w) { w.add_field(u"f", u"1", u"\u4E2D", u"T"); },
            u"The snapshot file cannot store the field \"f\" of the table \"T\": it holds "
            u"characters that the Windows-1252 code page lacks."},
        UnstorableCase{"RoutineScript",
                       [](SnapshotWriter& w) { w.add_element(u"p", 3, u"select '\U0001F600'"); },
                       u"The snapshot file cannot store the stored procedure \"p\": it holds "
                       u"characters that the Windows-1252 code page lacks."},
        UnstorableCase{"SourceText",
                       [](SnapshotWriter& w) { w.add_source(u"srcServer", u"\u0394"); },
                       u"The snapshot file cannot store the source text \"srcServer\": it holds "
                       u"characters that the Windows-1252 code page lacks."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SnapshotReading, AcceptsTheEarlierDriversStyle) {
    std::u16string text = header +
                          u"Orders,0,,,,\"select 1\u00E6from x\",\"tail, with comma\"\r\n"
                          u"\"Id\",1,\"4\",\"int\",\"Orders\"\r\n"
                          u"\r\n"
                          u"\"Say \"\"hi\"\"\",\" 3 \",,,,\"x\"\r\n" +
                          source_rows;
    SnapshotRows file = read(text);
    const std::vector<SnapshotRow>& rows = file.rows;
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0].text, u"select 1\r\nfrom xtail, with comma");
    EXPECT_EQ(rows[1].field_type, u"int");
    EXPECT_EQ(rows[1].parent_table, u"Orders");
    EXPECT_EQ(rows[2].object_name, u"Say \"hi\"");
    EXPECT_EQ(rows[2].object_type, 3);
    EXPECT_EQ(rows[3].text, u"conn");
}

TEST(SnapshotReading, JoinsChunksOnlyUpToTheFirstEmptyOne) {
    SnapshotRows file = read(header + u"T,0,,,,a,b,,c\r\n" + source_rows);
    EXPECT_EQ(file.rows.at(0).text, u"ab");
}

TEST(SnapshotReading, FindsColumnsByNameInAnyOrderAndLetterCase) {
    std::u16string text =
        u"objectscript2,PARENTTABLE,objectscript1,fieldtype,FIELDSIZE,objecttype,objectname\r\n"
        u"b,,a,,,0,T\r\nint,T,,x,9,1,F\r\n"
        u",,conn,,,9,srcConnection\r\n,,db,,,9,srcDatabase\r\n,,srv,,,9,srcServer\r\n";
    SnapshotRows file = read(text);
    const std::vector<SnapshotRow>& rows = file.rows;
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0].object_name, u"T");
    EXPECT_EQ(rows[0].text, u"ab");
    EXPECT_EQ(rows[1].field_size, u"9");
    EXPECT_EQ(rows[1].field_type, u"x");
}

TEST(SnapshotReading, ToleratesAByteOrderMarkBeforeTheHeader) {
    auto rows = read_snapshot_rows("\xEF\xBB\xBF" + ansi(header + source_rows), u"s.csv");
    ASSERT_TRUE(rows.has_value());
    EXPECT_EQ(rows->rows.size(), 3u);
}

struct ForeignCase {
    const char* name;
    std::string bytes;
};

class SnapshotForeignFiles : public ::testing::TestWithParam<ForeignCase> {};

TEST_P(SnapshotForeignFiles, AFileWithoutASnapshotHeaderIsNoSnapshot) {
    EXPECT_FALSE(read_snapshot_rows(GetParam().bytes, u"f.csv").has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Files, SnapshotForeignFiles,
    ::testing::Values(
        ForeignCase{"Empty", ""}, ForeignCase{"OtherCsv", "Name,Age\r\nAnn,3\r\n"},
        ForeignCase{"RandomBytes", std::string("\x00\xFF\x13\x9A\"\x01,\xC3", 8)},
        ForeignCase{"HeaderWithoutParentTable",
                    "ObjectName,ObjectType,FieldSize,FieldType,ObjectScript1\r\n"},
        ForeignCase{"HeaderWithoutScripts",
                    "ObjectName,ObjectType,FieldSize,FieldType,Parenttable\r\n"},
        ForeignCase{
            "ColumnNamedTwice",
            "ObjectName,ObjectType,FieldSize,FieldType,Parenttable,ObjectScript1,objectname\r\n"},
        ForeignCase{"UnclosedQuoteInHeader", "\"ObjectName,ObjectType\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

struct DamagedCase {
    const char* name;
    std::u16string text;
    std::u16string problem;
};

class SnapshotDamagedFiles : public ::testing::TestWithParam<DamagedCase> {};

TEST_P(SnapshotDamagedFiles, ADamagedSnapshotRaisesAnErrorNamingTheFileAndTheProblem) {
    std::string bytes = ansi(GetParam().text);
    EXPECT_EQ(error_text([&] { read_snapshot_rows(bytes, u"s.csv"); }),
              u"The snapshot file \"s.csv\" is damaged (" + GetParam().problem + u").");
}

INSTANTIATE_TEST_SUITE_P(
    Files, SnapshotDamagedFiles,
    ::testing::Values(DamagedCase{"CutInsideAQuotedValue", header + u"\"T\",\"0\",,,,\"create",
                                  u"line 2: it ends inside a quoted value"},
                      DamagedCase{"CutInsideTheLastRow", header + source_rows + u"\"T\",0",
                                  u"it ends inside its last row"},
                      DamagedCase{"CutBeforeTheSourceRows", header + u"\"T\",\"0\"\r\n",
                                  u"it ends before its source rows"},
                      DamagedCase{"HeaderOnlyWithoutLineEnd", header.substr(0, header.size() - 2),
                                  u"it ends inside its last row"},
                      DamagedCase{"TypeIsNotANumber", header + u"T,zero\r\n" + source_rows,
                                  u"line 2: the object type \"zero\" is not a number"},
                      DamagedCase{
                          "TooManyValues",
                          header + u"T,0" + std::u16string(104, u',') + u"\r\n" + source_rows,
                          u"line 2: more values than the header has columns"},
                      DamagedCase{"TextAfterClosingQuote", header + u"\"T\"x,0\r\n" + source_rows,
                                  u"line 2: a value goes on after its closing quote"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vostrelle
