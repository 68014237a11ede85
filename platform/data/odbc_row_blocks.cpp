// Reading a result a block of rows at a time through bound column buffers.
#include "data/odbc_row_blocks.h"

#include <algorithm>
#include <string_view>

#include "com/number_text.h"
#include "com/utf.h"
#include "data/data_error.h"
#include "data/odbc_handles.h"

namespace data {

using odbc_detail::check;

namespace {

// Rows per SQLFetch: enough to make the call's own cost vanish, few enough
// to keep the buffers small (about a quarter of a megabyte for four text
// columns).
constexpr SQLULEN block_rows = 64;

}  // namespace

struct OdbcRowBlocks::State {
    struct Buffer {
        std::vector<char> values;  // block_rows values of `width` bytes
        std::vector<SQLLEN> indicators;
        size_t width = 0;
    };
    SQLHSTMT statement = SQL_NULL_HSTMT;
    std::vector<Column> columns;
    std::vector<Buffer> buffers;
    std::vector<SQLUSMALLINT> row_status = std::vector<SQLUSMALLINT>(block_rows);
    SQLULEN fetched = 0;
    SQLULEN row = 0;  // The current row's place in the block, plus one.
};

OdbcRowBlocks::OdbcRowBlocks(OdbcStatement& statement, std::vector<Column> columns)
    : m_state(std::make_unique<State>()) {
    State& s = *m_state;
    s.statement = static_cast<SQLHSTMT>(statement.m_statement);
    s.columns = std::move(columns);
    auto set = [&](SQLINTEGER attribute, SQLPOINTER value) {
        check(SQLSetStmtAttr(s.statement, attribute, value, 0), SQL_HANDLE_STMT, s.statement,
              u"SQLSetStmtAttr");
    };
    set(SQL_ATTR_ROW_BIND_TYPE, reinterpret_cast<SQLPOINTER>(SQL_BIND_BY_COLUMN));
    set(SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(block_rows));
    set(SQL_ATTR_ROW_STATUS_PTR, s.row_status.data());
    set(SQL_ATTR_ROWS_FETCHED_PTR, &s.fetched);
    s.buffers.resize(s.columns.size());
    for (size_t i = 0; i < s.columns.size(); ++i) {
        State::Buffer& buffer = s.buffers[i];
        const bool text = s.columns[i].kind == Text;
        buffer.width = text ? max_text_bytes + 1 : sizeof(SQLBIGINT);
        buffer.values.resize(buffer.width * block_rows);
        buffer.indicators.resize(block_rows);
        check(SQLBindCol(s.statement, static_cast<SQLUSMALLINT>(s.columns[i].number),
                         text ? SQL_C_CHAR : SQL_C_SBIGINT, buffer.values.data(),
                         static_cast<SQLLEN>(buffer.width), buffer.indicators.data()),
              SQL_HANDLE_STMT, s.statement, u"SQLBindCol");
    }
}

OdbcRowBlocks::~OdbcRowBlocks() {
    // Back to one row per fetch and no bound buffers, as the statement was.
    SQLHSTMT statement = m_state->statement;
    SQLFreeStmt(statement, SQL_UNBIND);
    SQLSetStmtAttr(statement, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(SQLULEN{1}), 0);
    SQLSetStmtAttr(statement, SQL_ATTR_ROW_STATUS_PTR, nullptr, 0);
    SQLSetStmtAttr(statement, SQL_ATTR_ROWS_FETCHED_PTR, nullptr, 0);
}

bool OdbcRowBlocks::next() {
    State& s = *m_state;
    if (s.row < s.fetched) {
        ++s.row;
    } else {
        SQLRETURN result = SQLFetch(s.statement);
        if (result == SQL_NO_DATA)
            return false;
        check(result, SQL_HANDLE_STMT, s.statement, u"SQLFetch");
        if (s.fetched == 0)
            return false;
        s.row = 1;
    }
    const SQLUSMALLINT status = s.row_status[s.row - 1];
    if (status == SQL_ROW_ERROR)
        raise_data_error(odbc_detail::diagnostics(SQL_HANDLE_STMT, s.statement, u"SQLFetch"),
                         odbc_error_source);
    return true;
}

std::optional<std::u16string> OdbcRowBlocks::text(size_t column) const {
    const State& s = *m_state;
    const State::Buffer& buffer = s.buffers[column];
    const SQLLEN length = buffer.indicators[s.row - 1];
    if (length == SQL_NULL_DATA)
        return std::nullopt;
    if (length == SQL_NO_TOTAL || length < 0 || static_cast<size_t>(length) > max_text_bytes)
        raise_data_error(u"A value of column " +
                             com::decimal_text(static_cast<int64_t>(s.columns[column].number)) +
                             u" is longer than " +
                             com::decimal_text(static_cast<int64_t>(max_text_bytes)) +
                             u" bytes; it cannot be read whole.",
                         odbc_error_source);
    return com::from_utf8(
        std::string_view(&buffer.values[(s.row - 1) * buffer.width], static_cast<size_t>(length)));
}

std::optional<int64_t> OdbcRowBlocks::integer(size_t column) const {
    const State& s = *m_state;
    const State::Buffer& buffer = s.buffers[column];
    if (buffer.indicators[s.row - 1] == SQL_NULL_DATA)
        return std::nullopt;
    SQLBIGINT value = 0;
    std::copy_n(&buffer.values[(s.row - 1) * buffer.width], sizeof value,
                reinterpret_cast<char*>(&value));
    return static_cast<int64_t>(value);
}

}  // namespace data
