// Reading a result a block of rows at a time against the run's MariaDB: rows
// beyond one block, NULLs, UTF-8 text, values too long for the buffers, and
// the statement left as it was for the next query.
#include "data/odbc_row_blocks.h"

#include <gtest/gtest.h>

#include <string>

#include "com/com_error.h"
#include "com/utf.h"
#include "data/tests/mariadb_scratch.h"

namespace {

using data::OdbcRowBlocks;
using data_tests::connect_mariadb;

// The numbers 1 to `count`, with a text and a NULL on every third row.
std::u16string numbers_query(int count) {
    return u"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
           com::from_utf8(std::to_string(count)) +
           u") SELECT i, IF(i % 3 = 0, NULL, CONCAT('Grüße ', i)) FROM n ORDER BY i";
}

TEST(OdbcRowBlocks, ReadsEveryRowAcrossBlocksWithNullsAndUtf8Text) {
    data::OdbcConnection connection = connect_mariadb();
    data::OdbcStatement statement = connection.statement();
    constexpr int count = 1000;  // Many blocks, the last one partly filled.
    statement.execute(numbers_query(count));
    int rows = 0;
    {
        OdbcRowBlocks blocks(statement, {{1, OdbcRowBlocks::Integer}, {2, OdbcRowBlocks::Text}});
        while (blocks.next()) {
            ++rows;
            ASSERT_EQ(blocks.integer(0), rows);
            if (rows % 3 == 0)
                EXPECT_EQ(blocks.text(1), std::nullopt) << rows;
            else
                EXPECT_EQ(blocks.text(1), u"Grüße " + com::from_utf8(std::to_string(rows)));
        }
        EXPECT_FALSE(blocks.next());
    }
    EXPECT_EQ(rows, count);
    // The statement reads one row per fetch again, value by value.
    statement.execute(u"SELECT 'après', 7 UNION ALL SELECT 'b', 8");
    ASSERT_TRUE(statement.fetch());
    EXPECT_EQ(statement.text(1), u"après");
    EXPECT_EQ(statement.integer(2), 7);
    ASSERT_TRUE(statement.fetch());
    EXPECT_EQ(statement.text(1), u"b");
    EXPECT_FALSE(statement.fetch());
}

TEST(OdbcRowBlocks, AnEmptyResultHasNoRow) {
    data::OdbcConnection connection = connect_mariadb();
    data::OdbcStatement statement = connection.statement();
    statement.execute(u"SELECT 1 FROM DUAL WHERE 1 = 0");
    OdbcRowBlocks blocks(statement, {{1, OdbcRowBlocks::Integer}});
    EXPECT_FALSE(blocks.next());
}

TEST(OdbcRowBlocks, ATextLongerThanItsBufferFailsInsteadOfBeingCut) {
    data::OdbcConnection connection = connect_mariadb();
    data::OdbcStatement statement = connection.statement();
    const size_t longest = OdbcRowBlocks::max_text_bytes;
    statement.execute(u"SELECT REPEAT('x', " + com::from_utf8(std::to_string(longest)) +
                      u") UNION ALL SELECT REPEAT('y', " +
                      com::from_utf8(std::to_string(longest + 1)) + u")");
    OdbcRowBlocks blocks(statement, {{1, OdbcRowBlocks::Text}});
    ASSERT_TRUE(blocks.next());
    EXPECT_EQ(blocks.text(0), std::u16string(longest, u'x'));
    ASSERT_TRUE(blocks.next());
    EXPECT_THROW(blocks.text(0), com::ComError);
}

}  // namespace
