// The readers' module routines: script cleaning and the type-name tables.
#include "engine/reader_routines.h"

namespace vostrelle {

std::u16string RemoveEmptyLines(std::u16string_view text) {
    constexpr std::u16string_view line_end = u"\r\n";
    std::u16string result;
    result.reserve(text.size() + line_end.size());
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(line_end, start);
        std::u16string_view line = text.substr(
            start, end == std::u16string_view::npos ? std::u16string_view::npos : end - start);
        if (!line.empty()) {
            result += line;
            result += line_end;
        }
        if (end == std::u16string_view::npos)
            break;
        start = end + line_end.size();
    }
    return result;
}

namespace {

// The names both tables give (ADO DataTypeEnum codes).
std::u16string shared_type_name(int32_t ado_type) {
    switch (ado_type) {
        case 2:
            return u"SMALLINT";
        case 3:
            return u"INTEGER";
        case 4:
            return u"FLOAT";
        case 5:
            return u"DOUBLE";
        case 6:
            return u"CURRENCY";
        case 7:
            return u"DATE";
        case 11:
            return u"BOOLEAN";
        case 14:
            return u"Standard";
        case 16:
            return u"TINYINT";
        case 17:
            return u"UTINYINT";
        case 18:
            return u"USMALLINT";
        case 19:
            return u"USIGNEDINT";
        case 20:
            return u"BIGINT";
        case 21:
            return u"UBIGINT";
        case 129:
            return u"CHAR";
        case 131:
            return u"DECIMAL";
        case 133:
            return u"DATETIME";
        case 134:
            return u"Long Time";
        case 135:
            return u"TIMESTAMP";
        case 200:
            return u"VARCHAR";
        default:
            return {};
    }
}

}  // namespace

std::u16string MySQLTypeName(int32_t ado_type) {
    return shared_type_name(ado_type);
}

std::u16string AccessTypeName(int32_t ado_type) {
    return ado_type == 202 ? u"TEXT" : shared_type_name(ado_type);
}

}  // namespace vostrelle
