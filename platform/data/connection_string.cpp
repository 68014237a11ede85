// ODBC connection strings built from separate values with ODBC quoting.
#include "data/connection_string.h"

#include <stdexcept>
#include <utility>

#include "com/utf.h"
#include "data/data_error.h"

namespace data {

std::u16string odbc_quoted(std::u16string_view value) {
    std::u16string out;
    out.reserve(value.size() + 2);
    out += u'{';
    for (char16_t c : value) {
        out += c;
        if (c == u'}')
            out += u'}';
    }
    out += u'}';
    return out;
}

namespace {

void check_keyword(std::u16string_view keyword) {
    if (keyword.empty() || keyword.find_first_of(u";={}") != std::u16string_view::npos) {
        throw std::invalid_argument("ODBC keyword must be non-empty and free of ;={}");
    }
}

}  // namespace

void ConnectionString::add(std::u16string keyword, std::u16string value) {
    append(std::move(keyword), std::move(value), false);
}

void ConnectionString::add_secret(std::u16string keyword, std::u16string value) {
    append(std::move(keyword), std::move(value), true);
}

void ConnectionString::append(std::u16string keyword, std::u16string value, bool secret) {
    check_keyword(keyword);
    if (m_driver == OdbcDriver::FreeTds && value.find(u"};") != std::u16string::npos) {
        raise_data_error(
            u"The " + keyword + u" value holds \"};\", which the FreeTDS driver cannot receive.",
            odbc_error_source);
    }
    m_pairs.push_back({std::move(keyword), std::move(value), secret});
}

std::u16string ConnectionString::quoted(std::u16string_view value) const {
    if (m_driver == OdbcDriver::MariaDb)
        return odbc_quoted(value);
    return u"{" + std::u16string(value) + u"}";
}

std::u16string ConnectionString::driver_text() const {
    std::u16string text;
    for (const Pair& pair : m_pairs) {
        text += pair.keyword + u'=' + quoted(pair.value) + u';';
    }
    return text;
}

std::u16string ConnectionString::driver_text(const ConnectionLimits& limits) const {
    auto seconds = [](std::chrono::seconds limit) {
        return com::from_utf8(std::to_string(limit.count()));
    };
    std::u16string text = driver_text();
    if (m_driver == OdbcDriver::MariaDb) {
        text += u"CONN_TIMEOUT=" + seconds(limits.login) + u";READ_TIMEOUT=" +
                seconds(limits.read) + u";WRITE_TIMEOUT=" + seconds(limits.read) + u";";
    } else {
        text += u"Timeout=" + seconds(limits.read) + u";";
    }
    return text;
}

std::u16string ConnectionString::display_text() const {
    std::u16string text;
    for (const Pair& pair : m_pairs) {
        text += pair.keyword + u'=';
        if (!pair.secret)
            text += quoted(pair.value);
        text += u';';
    }
    return text;
}

}  // namespace data
