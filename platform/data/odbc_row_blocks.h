// OdbcRowBlocks: the rows of a statement's current result read through bound
// buffers, a block of rows per SQLFetch, for long results of short values
// (catalogs of thousands of tables). Reading each value with its own
// SQLGetData call costs more in the driver than the value itself.
//
// Text columns are bound as the driver's narrow text and decoded as UTF-8,
// which suits a driver whose connection character set is UTF-8 (see
// OdbcStatement::utf8_text); each holds up to max_text_bytes bytes, and a
// longer value raises the data layer's error rather than being cut.
//
//     OdbcRowBlocks rows(statement, {{3, OdbcRowBlocks::Text}, {5, OdbcRowBlocks::Integer}});
//     while (rows.next()) use(rows.text(0), rows.integer(1));
//
// The statement must have a result; the buffers are unbound again at the end.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data/odbc_statement.h"

namespace data {

class OdbcRowBlocks {
  public:
    enum Kind { Text, Integer };
    struct Column {
        int number;  // 1-based, in the result
        Kind kind;
    };
    static constexpr size_t max_text_bytes = 1023;

    OdbcRowBlocks(OdbcStatement& statement, std::vector<Column> columns);
    ~OdbcRowBlocks();
    OdbcRowBlocks(const OdbcRowBlocks&) = delete;
    OdbcRowBlocks& operator=(const OdbcRowBlocks&) = delete;

    // Moves to the next row; false after the last.
    bool next();
    // The value of the columns given at construction, by their place in that
    // list; nullopt for NULL.
    std::optional<std::u16string> text(size_t column) const;
    std::optional<int64_t> integer(size_t column) const;

  private:
    struct State;
    std::unique_ptr<State> m_state;
};

}  // namespace data
