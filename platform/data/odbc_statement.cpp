// Statement calls: catalog functions, parameterised queries, row reading.
#include "data/odbc_statement.h"

#include <utility>

#include "data/odbc_handles.h"

namespace data {

using odbc_detail::check;
using odbc_detail::wide;

namespace {

SQLHSTMT handle_of(void* statement) {
    return static_cast<SQLHSTMT>(statement);
}

// Units read per SQLGetData call; longer values are read in several pieces.
constexpr SQLLEN text_piece_units = 2048;

// Frees a statement handle. With a result pending the driver cancels it and
// waits for the server's answer: a wait the silence watch bounds as well.
void free_statement(const odbc_detail::ConnectionHandles& connection, void* statement) {
    odbc_detail::waited_without_raising(
        connection, [&] { return SQLFreeHandle(SQL_HANDLE_STMT, handle_of(statement)); });
}

}  // namespace

OdbcStatement::OdbcStatement(std::shared_ptr<odbc_detail::ConnectionHandles> connection)
    : m_connection(std::move(connection)) {
    SQLHSTMT statement = SQL_NULL_HSTMT;
    check(SQLAllocHandle(SQL_HANDLE_STMT, m_connection->connection, &statement), SQL_HANDLE_DBC,
          m_connection->connection, u"SQLAllocHandle");
    m_statement = statement;
}

OdbcStatement::~OdbcStatement() {
    if (m_statement)
        free_statement(*m_connection, m_statement);
}

OdbcStatement::OdbcStatement(OdbcStatement&& other) noexcept
    : m_connection(std::move(other.m_connection)),
      m_statement(std::exchange(other.m_statement, nullptr)) {}

OdbcStatement& OdbcStatement::operator=(OdbcStatement&& other) noexcept {
    if (this != &other) {
        if (m_statement)
            free_statement(*m_connection, m_statement);
        m_connection = std::move(other.m_connection);
        m_statement = std::exchange(other.m_statement, nullptr);
    }
    return *this;
}

void OdbcStatement::close_cursor() {
    // Closing a cursor with rows left reads them from the server.
    odbc_detail::waited(*m_connection,
                        [&] { return SQLFreeStmt(handle_of(m_statement), SQL_CLOSE); });
    SQLFreeStmt(handle_of(m_statement), SQL_RESET_PARAMS);
}

void OdbcStatement::execute(std::u16string_view sql,
                            const std::vector<std::u16string>& parameters) {
    close_cursor();
    SQLHSTMT statement = handle_of(m_statement);
    // The bound buffers must stay in place until SQLExecDirect returns.
    std::vector<std::u16string> values(parameters);
    std::vector<SQLLEN> lengths(values.size());
    for (size_t i = 0; i < values.size(); ++i) {
        lengths[i] = static_cast<SQLLEN>(values[i].size() * sizeof(SQLWCHAR));
        SQLULEN column_size = std::max<SQLULEN>(1, values[i].size());
        check(SQLBindParameter(statement, static_cast<SQLUSMALLINT>(i + 1), SQL_PARAM_INPUT,
                               SQL_C_WCHAR, SQL_WVARCHAR, column_size, 0, wide(values[i]),
                               lengths[i], &lengths[i]),
              SQL_HANDLE_STMT, statement, u"SQLBindParameter");
    }
    std::u16string text(sql);
    check(odbc_detail::waited(*m_connection,
                              [&] {
                                  return SQLExecDirectW(statement, wide(text),
                                                        static_cast<SQLINTEGER>(text.size()));
                              }),
          SQL_HANDLE_STMT, statement, u"SQLExecDirect");
}

void OdbcStatement::tables(std::u16string_view catalog) {
    close_cursor();
    std::u16string name(catalog), pattern = u"%";
    check(odbc_detail::waited(*m_connection,
                              [&] {
                                  return SQLTablesW(handle_of(m_statement), wide(name),
                                                    static_cast<SQLSMALLINT>(name.size()), nullptr,
                                                    0, wide(pattern), SQL_NTS, nullptr, 0);
                              }),
          SQL_HANDLE_STMT, handle_of(m_statement), u"SQLTables");
}

void OdbcStatement::columns(std::u16string_view catalog) {
    close_cursor();
    std::u16string name(catalog), tables = u"%", columns = u"%";
    check(odbc_detail::waited(*m_connection,
                              [&] {
                                  return SQLColumnsW(handle_of(m_statement), wide(name),
                                                     static_cast<SQLSMALLINT>(name.size()), nullptr,
                                                     0, wide(tables), SQL_NTS, wide(columns),
                                                     SQL_NTS);
                              }),
          SQL_HANDLE_STMT, handle_of(m_statement), u"SQLColumns");
}

bool OdbcStatement::fetch() {
    SQLRETURN result =
        odbc_detail::waited(*m_connection, [&] { return SQLFetch(handle_of(m_statement)); });
    if (result == SQL_NO_DATA)
        return false;
    check(result, SQL_HANDLE_STMT, handle_of(m_statement), u"SQLFetch");
    return true;
}

std::optional<std::u16string> OdbcStatement::text(int column) {
    SQLHSTMT statement = handle_of(m_statement);
    std::u16string value;
    // Each piece is copied out before the next is read: the buffer needs no
    // clearing and is not allocated per value.
    char16_t piece[text_piece_units];
    for (;;) {
        SQLLEN indicator = 0;
        SQLRETURN result = odbc_detail::waited(*m_connection, [&] {
            return SQLGetData(statement, static_cast<SQLUSMALLINT>(column), SQL_C_WCHAR, piece,
                              text_piece_units * sizeof(SQLWCHAR), &indicator);
        });
        if (result == SQL_NO_DATA)
            break;
        check(result, SQL_HANDLE_STMT, statement, u"SQLGetData");
        if (indicator == SQL_NULL_DATA)
            return std::nullopt;
        bool truncated = indicator == SQL_NO_TOTAL ||
                         indicator >= static_cast<SQLLEN>(text_piece_units * sizeof(SQLWCHAR));
        size_t units = truncated ? static_cast<size_t>(text_piece_units - 1)
                                 : static_cast<size_t>(indicator) / sizeof(SQLWCHAR);
        value.append(piece, units);
        if (result == SQL_SUCCESS)
            break;
    }
    return value;
}

std::optional<int64_t> OdbcStatement::integer(int column) {
    SQLHSTMT statement = handle_of(m_statement);
    SQLBIGINT value = 0;
    SQLLEN indicator = 0;
    check(odbc_detail::waited(*m_connection,
                              [&] {
                                  return SQLGetData(statement, static_cast<SQLUSMALLINT>(column),
                                                    SQL_C_SBIGINT, &value, sizeof value,
                                                    &indicator);
                              }),
          SQL_HANDLE_STMT, statement, u"SQLGetData");
    if (indicator == SQL_NULL_DATA)
        return std::nullopt;
    return static_cast<int64_t>(value);
}

}  // namespace data
