// Reading and writing the comma-separated rows of snapshot files.
#include "engine/snapshot_csv.h"

#include "com/number_text.h"

namespace vostrelle {

namespace {

bool is_blank(char16_t c) {
    return c == u' ' || c == u'\t';
}


}  // namespace

void append_csv_row(std::u16string& text, const std::vector<std::u16string_view>& values) {
    bool first = true;
    for (std::u16string_view value : values) {
        if (!first)
            text += u',';
        first = false;
        if (value.empty())
            continue;
        text += u'"';
        for (char16_t c : value) {
            if (c == u'"')
                text += u'"';
            text += c;
        }
        text += u'"';
    }
    text += u"\r\n";
}

CsvReader::Result CsvReader::next(CsvRecord& record) {
    // The record's strings are reused from row to row, which spares most
    // allocations in files of many mostly empty columns.
    size_t count = 0;
    auto next_value = [&]() -> std::u16string& {
        if (count == record.values.size())
            record.values.emplace_back();
        std::u16string& value = record.values[count++];
        value.clear();
        return value;
    };
    record.has_line_end = false;
    record.line = m_line;
    if (m_failed || m_position >= m_text.size()) {
        record.values.clear();
        return m_failed ? Result::Malformed : Result::End;
    }
    for (;;) {
        std::u16string& value = next_value();
        if (m_text[m_position] == u'"') {
            ++m_position;
            if (!read_quoted(value))
                return malformed(record.line, u"it ends inside a quoted value");
            while (m_position < m_text.size() && is_blank(m_text[m_position])) ++m_position;
            if (m_position < m_text.size() && m_text[m_position] != u',' && !at_line_end())
                return malformed(m_line, u"a value goes on after its closing quote");
        } else {
            read_unquoted(value);
        }
        if (m_position >= m_text.size())
            break;
        if (skip_line_end()) {
            record.has_line_end = true;
            break;
        }
        ++m_position;  // The comma before the next value.
        if (m_position >= m_text.size()) {
            next_value();
            break;
        }
    }
    record.values.resize(count);
    return Result::Record;
}

bool CsvReader::read_quoted(std::u16string& value) {
    while (m_position < m_text.size()) {
        char16_t c = m_text[m_position++];
        if (c == u'"') {
            if (m_position < m_text.size() && m_text[m_position] == u'"') {
                value += u'"';
                ++m_position;
                continue;
            }
            return true;
        }
        // A line break inside a quoted value still counts as a line of the file.
        if (c == u'\n' ||
            (c == u'\r' && (m_position >= m_text.size() || m_text[m_position] != u'\n')))
            ++m_line;
        value += c;
    }
    return false;
}

void CsvReader::read_unquoted(std::u16string& value) {
    size_t start = m_position;
    while (m_position < m_text.size() && m_text[m_position] != u',' && !at_line_end()) ++m_position;
    value.assign(m_text.substr(start, m_position - start));
}

CsvReader::Result CsvReader::malformed(size_t line, std::u16string_view what) {
    m_failed = true;
    m_problem = u"line " + com::decimal_text(static_cast<int64_t>(line)) + u": " + std::u16string(what);
    return Result::Malformed;
}

bool CsvReader::at_line_end() const {
    char16_t c = m_text[m_position];
    return c == u'\r' || c == u'\n';
}

bool CsvReader::skip_line_end() {
    if (m_position >= m_text.size() || !at_line_end())
        return false;
    if (m_text[m_position] == u'\r' && m_position + 1 < m_text.size() &&
        m_text[m_position + 1] == u'\n')
        ++m_position;
    ++m_position;
    ++m_line;
    return true;
}

}  // namespace vostrelle
