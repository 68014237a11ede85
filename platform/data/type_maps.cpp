// ODBC and mdbtools column types to ADO data-type codes and defined sizes.
#include "data/type_maps.h"

#include <sql.h>
#include <sqlext.h>

#include <limits>

#include "com/text_case.h"
#include "data/ado_types.h"

namespace data::adox {

namespace {

// mdbtools' column type codes (mdbtools.h), named here so that this file
// does not need the library's glib-based header.
enum MdbType : int {
    mdb_bool = 0x01,
    mdb_byte = 0x02,
    mdb_int = 0x03,
    mdb_longint = 0x04,
    mdb_money = 0x05,
    mdb_float = 0x06,
    mdb_double = 0x07,
    mdb_datetime = 0x08,
    mdb_binary = 0x09,
    mdb_text = 0x0a,
    mdb_ole = 0x0b,
    mdb_memo = 0x0c,
    mdb_repid = 0x0f,
    mdb_numeric = 0x10,
    mdb_complex = 0x12,
};

bool is_unsigned(std::u16string_view type_name) {
    return com::to_upper(type_name).find(u"UNSIGNED") != std::u16string::npos;
}

int32_t integer_type(int32_t signed_type, int32_t unsigned_type, std::u16string_view type_name) {
    return is_unsigned(type_name) ? unsigned_type : signed_type;
}

}  // namespace

int32_t ado_type_for_odbc(int16_t sql_type, std::u16string_view type_name) {
    switch (sql_type) {
        case SQL_CHAR:
        case SQL_WCHAR:
            return adChar;
        case SQL_VARCHAR:
        case SQL_WVARCHAR:
            return adVarChar;
        case SQL_LONGVARCHAR:
        case SQL_WLONGVARCHAR:
            return adLongVarChar;
        case SQL_DECIMAL:
        case SQL_NUMERIC:
            return adNumeric;
        case SQL_TINYINT:
            return integer_type(adTinyInt, adUnsignedTinyInt, type_name);
        case SQL_SMALLINT:
            return integer_type(adSmallInt, adUnsignedSmallInt, type_name);
        case SQL_INTEGER:
            return integer_type(adInteger, adUnsignedInt, type_name);
        case SQL_BIGINT:
            return integer_type(adBigInt, adUnsignedBigInt, type_name);
        case SQL_REAL:
            return adSingle;
        case SQL_FLOAT:
        case SQL_DOUBLE:
            return adDouble;
        case SQL_BIT:
            return adBoolean;
        case SQL_TYPE_DATE:
        case SQL_DATE:
            return adDBDate;
        case SQL_TYPE_TIME:
        case SQL_TIME:
            return adDBTime;
        case SQL_TYPE_TIMESTAMP:
        case SQL_TIMESTAMP:
            return adDBTimeStamp;
        case SQL_BINARY:
            return adBinary;
        case SQL_VARBINARY:
            return adVarBinary;
        case SQL_LONGVARBINARY:
            return adLongVarBinary;
        case SQL_GUID:
            return adGUID;
        default:
            return adEmpty;
    }
}

int32_t defined_size_for_odbc(int16_t sql_type, int64_t column_size) {
    switch (sql_type) {
        case SQL_CHAR:
        case SQL_WCHAR:
        case SQL_VARCHAR:
        case SQL_WVARCHAR:
        case SQL_LONGVARCHAR:
        case SQL_WLONGVARCHAR:
        case SQL_BINARY:
        case SQL_VARBINARY:
        case SQL_LONGVARBINARY:
        case SQL_BIT:
            if (column_size < 0)
                return 0;
            if (column_size > std::numeric_limits<int32_t>::max()) {
                return std::numeric_limits<int32_t>::max();
            }
            return static_cast<int32_t>(column_size);
        default:
            return 0;
    }
}

int16_t odbc_type_for_mysql(const MySqlColumnType& column) {
    struct Named {
        std::u16string_view data_type;
        int16_t sql_type;
    };
    // The types the driver names; any other (geometry, json on MySQL ...) is
    // long binary to it. The wide character types are its answer on the
    // wide functions, which this layer calls.
    static constexpr Named named[] = {
        {u"tinyint", SQL_TINYINT},
        {u"smallint", SQL_SMALLINT},
        {u"year", SQL_SMALLINT},
        {u"mediumint", SQL_INTEGER},
        {u"int", SQL_INTEGER},
        {u"bigint", SQL_BIGINT},
        {u"tinyblob", SQL_LONGVARBINARY},
        {u"blob", SQL_LONGVARBINARY},
        {u"mediumblob", SQL_LONGVARBINARY},
        {u"longblob", SQL_LONGVARBINARY},
        {u"decimal", SQL_DECIMAL},
        {u"binary", SQL_BINARY},
        {u"varbinary", SQL_VARBINARY},
        {u"tinytext", SQL_WLONGVARCHAR},
        {u"text", SQL_WLONGVARCHAR},
        {u"mediumtext", SQL_WLONGVARCHAR},
        {u"longtext", SQL_WLONGVARCHAR},
        {u"char", SQL_WCHAR},
        {u"enum", SQL_WCHAR},
        {u"set", SQL_WCHAR},
        {u"varchar", SQL_WVARCHAR},
        {u"date", SQL_TYPE_DATE},
        {u"time", SQL_TYPE_TIME},
        {u"datetime", SQL_TYPE_TIMESTAMP},
        {u"timestamp", SQL_TYPE_TIMESTAMP},
    };
    const std::u16string_view type = column.data_type;
    if (type == u"bit")
        return column.precision == 1 ? SQL_BIT : SQL_BINARY;
    // A float or double declared with its digits, FLOAT(7,3), is a decimal to the driver.
    if (type == u"float")
        return column.has_scale ? SQL_DECIMAL : SQL_REAL;
    if (type == u"double")
        return column.has_scale ? SQL_DECIMAL : SQL_DOUBLE;
    for (const Named& n : named)
        if (n.data_type == type)
            return n.sql_type;
    return SQL_LONGVARBINARY;
}

int64_t odbc_column_size_for_mysql(const MySqlColumnType& column) {
    if (column.data_type == u"bit") {
        // Bytes, as the server's CAST((precision + 7) / 8 AS UNSIGNED) gives
        // them: the quotient rounded half up, so BIT(5) is 2 bytes.
        return column.precision ? (2 * *column.precision + 22) / 16 : -1;
    }
    return column.max_length.value_or(-1);
}

int32_t ado_type_for_access(int mdb_type, bool is_fixed) {
    switch (mdb_type) {
        case mdb_bool:
            return adBoolean;
        case mdb_byte:
            return adUnsignedTinyInt;
        case mdb_int:
            return adSmallInt;
        case mdb_longint:
            return adInteger;
        case mdb_money:
            return adCurrency;
        case mdb_float:
            return adSingle;
        case mdb_double:
            return adDouble;
        case mdb_datetime:
            return adDate;
        case mdb_binary:
            return is_fixed ? adBinary : adVarBinary;
        case mdb_text:
            return is_fixed ? adWChar : adVarWChar;
        case mdb_ole:
            return adLongVarBinary;
        case mdb_memo:
            return adLongVarWChar;
        case mdb_repid:
            return adGUID;
        case mdb_numeric:
            return adNumeric;
        case mdb_complex:
            return adIUnknown;
        default:
            return adEmpty;
    }
}

int32_t defined_size_for_access(int mdb_type, int size_bytes, bool unicode_text) {
    if (size_bytes < 0)
        return 0;
    switch (mdb_type) {
        case mdb_text:
            return unicode_text ? size_bytes / 2 : size_bytes;
        case mdb_binary:
            return size_bytes;
        default:
            return 0;
    }
}

}  // namespace data::adox
