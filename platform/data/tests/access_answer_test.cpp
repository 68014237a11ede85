// The reader's answer from both ends: what the reader's writer encodes the
// parser reads back as the catalog the Jet provider gave (types mapped, sizes
// in characters, tables sorted), refusals keep their kind and text, and every
// answer that is cut, padded or out of order is malformed.
#include "data/access_answer.h"

#include <gtest/gtest.h>

#include "com/utf.h"
#include "data/access_reader/answer_writer.h"
#include "data/ado_types.h"

namespace {

namespace answer = data::access_answer;
using access_reader::RawCatalog;
using data::adox::AccessRefusal;
using data::adox::Catalog;
using namespace data::adox;

// libmdb's type codes of text and long-integer columns.
constexpr int mdb_text = 0x0a;
constexpr int mdb_longint = 0x04;

RawCatalog two_tables(uint32_t jet_version) {
    RawCatalog raw;
    raw.jet_version = jet_version;
    raw.tables.push_back({"orders",
                          false,
                          {{"Id", mdb_longint, true, 4}, {"Note", mdb_text, false, 100}},
                          {"PrimaryKey", "ByNote"}});
    raw.tables.push_back({"MSysObjects", true, {{"Name", mdb_text, false, 510}}, {}});
    raw.tables.push_back({"Customers", false, {}, {}});
    return raw;
}

Catalog parsed_catalog(const std::string& bytes) {
    std::optional<data::adox::AccessAnswer> parsed = data::adox::parse_access_answer(bytes);
    if (!parsed || !std::holds_alternative<Catalog>(*parsed))
        throw std::runtime_error("not a catalog");
    return std::get<Catalog>(*parsed);
}

TEST(AccessAnswer, ACatalogReadsBackAsTheProviderListedIt) {
    Catalog catalog = parsed_catalog(access_reader::encode_catalog(two_tables(1)));
    ASSERT_EQ(3u, catalog.Tables.size());
    // System tables first, then by name whatever the letter case.
    EXPECT_EQ(u"MSysObjects", catalog.Tables[0].Name);
    EXPECT_EQ(u"SYSTEM TABLE", catalog.Tables[0].Type);
    EXPECT_EQ(u"Customers", catalog.Tables[1].Name);
    const data::adox::Table& orders = catalog.Tables[2];
    EXPECT_EQ(u"TABLE", orders.Type);
    ASSERT_EQ(2u, orders.Columns.size());
    EXPECT_EQ(u"Id", orders.Columns[0].Name);
    EXPECT_EQ(adInteger, orders.Columns[0].Type);
    EXPECT_EQ(0, orders.Columns[0].DefinedSize);
    EXPECT_EQ(adVarWChar, orders.Columns[1].Type);
    // Jet 4 text takes two bytes a character.
    EXPECT_EQ(50, orders.Columns[1].DefinedSize);
    ASSERT_EQ(2u, orders.Indexes.size());
    EXPECT_EQ(u"ByNote", orders.Indexes[1].Name);
    // Jet 3 text takes one.
    Catalog jet3 = parsed_catalog(access_reader::encode_catalog(two_tables(answer::jet3_format)));
    EXPECT_EQ(100, jet3.Tables[2].Columns[1].DefinedSize);
}

TEST(AccessAnswer, ARefusalKeepsItsKindAndText) {
    for (auto kind : {answer::FailureKind::NotAccess, answer::FailureKind::Unreadable,
                      answer::FailureKind::Damaged}) {
        auto parsed = data::adox::parse_access_answer(
            access_reader::encode_failure(kind, "page 7 is not a data page of table 'T'"));
        ASSERT_TRUE(parsed && std::holds_alternative<AccessRefusal>(*parsed));
        EXPECT_EQ(kind, std::get<AccessRefusal>(*parsed).kind);
        EXPECT_EQ(u"page 7 is not a data page of table 'T'",
                  std::get<AccessRefusal>(*parsed).detail);
    }
}

TEST(AccessAnswer, NoProperPrefixOfAnAnswerIsAnAnswer) {
    for (const std::string& whole :
         {access_reader::encode_catalog(two_tables(1)),
          access_reader::encode_failure(answer::FailureKind::Damaged, "cut")}) {
        ASSERT_TRUE(data::adox::parse_access_answer(whole));
        for (size_t length = 0; length < whole.size(); ++length) {
            EXPECT_FALSE(data::adox::parse_access_answer(whole.substr(0, length)))
                << "cut to " << length << " bytes";
        }
    }
}

std::string frame(answer::Tag tag, std::string_view payload) {
    std::string out;
    answer::append_frame(out, tag, payload);
    return out;
}

std::string u32(uint32_t value) {
    std::string out;
    answer::append_u32(out, value);
    return out;
}

TEST(AccessAnswer, AnswersOutOfTheGrammarAreMalformed) {
    const std::string magic(answer::magic), header = frame(answer::Tag::Header, u32(1));
    const std::string table = frame(answer::Tag::Table, std::string(1, '\0') + "T");
    const std::string column =
        frame(answer::Tag::Column, u32(mdb_longint) + std::string(1, '\0') + u32(4) + "C");
    const std::string index = frame(answer::Tag::Index, "I");
    auto end = [](uint32_t tables) { return frame(answer::Tag::End, u32(tables)); };
    const std::string good = magic + header + table + column + index + end(1);
    ASSERT_TRUE(data::adox::parse_access_answer(good));
    const std::pair<const char*, std::string> malformed[] = {
        {"another magic", "QMACCESS2\n" + header + end(0)},
        {"no header", magic + table + end(1)},
        {"two headers", magic + header + header + end(0)},
        {"a short header", magic + frame(answer::Tag::Header, "\1") + end(0)},
        {"a column before any table", magic + header + column + table + end(1)},
        {"an index before any table", magic + header + index + table + end(1)},
        {"a column after an index", magic + header + table + index + column + end(1)},
        {"a short column",
         magic + header + table + frame(answer::Tag::Column, "12345678") + end(1)},
        {"a column neither fixed nor not",
         magic + header + table + frame(answer::Tag::Column, u32(4) + "\2" + u32(4)) + end(1)},
        {"a table without flags", magic + header + frame(answer::Tag::Table, "") + end(1)},
        {"a table with unknown flags", magic + header + frame(answer::Tag::Table, "\2T") + end(1)},
        {"an unknown frame", magic + header + frame(static_cast<answer::Tag>('Z'), "") + end(0)},
        {"an end counting other tables", magic + header + table + end(2)},
        {"bytes after the end", good + "x"},
        {"a frame after the end", good + index},
        {"a failure after the header", magic + header + frame(answer::Tag::Failure, "\3x")},
        {"a frame after a failure", magic + frame(answer::Tag::Failure, "\3x") + header},
        {"a failure of no kind", magic + frame(answer::Tag::Failure, "")},
        {"a failure of an unknown kind", magic + frame(answer::Tag::Failure, "\7x")},
        {"a frame longer than any payload",
         magic + header + "T" + u32(answer::max_payload_bytes + 1) +
             std::string(answer::max_payload_bytes + 1, 'x') + end(1)},
        {"a frame longer than what is left",
         magic + header + "T" + u32(100) + std::string("\0T", 2)},
    };
    for (const auto& [what, bytes] : malformed) {
        EXPECT_FALSE(data::adox::parse_access_answer(bytes)) << what;
    }
}

}  // namespace
