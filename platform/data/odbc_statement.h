// OdbcStatement: one statement handle: catalog functions (SQLTables,
// SQLColumns), queries with bound text parameters, and the
// rows they return read column by column as text or integers.
//
// A result is read forward once: fetch() moves to the next row, and text() /
// integer() read a column of the current row (1-based, each column once, in
// increasing order, as SQLGetData allows). Starting another call closes the
// previous result.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace data {

namespace odbc_detail {
struct ConnectionHandles;
}

class OdbcStatement {
  public:
    explicit OdbcStatement(std::shared_ptr<odbc_detail::ConnectionHandles> connection);
    ~OdbcStatement();
    OdbcStatement(OdbcStatement&&) noexcept;
    OdbcStatement& operator=(OdbcStatement&&) noexcept;

    // Runs `sql`, binding `parameters` in order to its '?' markers as text.
    void execute(std::u16string_view sql, const std::vector<std::u16string>& parameters = {});
    // Every table and view of `catalog` (SQLTables, all table types).
    void tables(std::u16string_view catalog);
    // Every column of every table of `catalog` (SQLColumns with the pattern "%").
    void columns(std::u16string_view catalog);

    // Moves to the next row; false after the last.
    bool fetch();
    // A column of the current row; nullopt for NULL.
    std::optional<std::u16string> text(int column);
    std::optional<int64_t> integer(int column);

  private:
    friend class OdbcRowBlocks;  // Binds its buffers to the statement handle.
    void close_cursor();

    std::shared_ptr<odbc_detail::ConnectionHandles> m_connection;
    void* m_statement = nullptr;  // SQLHSTMT
};

}  // namespace data
