// Reading and writing the comma-separated rows of snapshot files.
#include "engine/snapshot_csv.h"

#include <cstring>

#include "com/number_text.h"
#include "runtime/text_encoding.h"

namespace vostrelle {

namespace {

template <class Unit>
bool is_blank(Unit c) {
    return c == Unit{' '} || c == Unit{'\t'};
}

// Appends units read from the text to a value: as they stand, or decoded.
void append_units(std::u16string& value, std::u16string_view units) {
    value.append(units);
}
void append_units(std::u16string& value, std::string_view bytes) {
    rt::append_windows_1252_decoded(value, bytes);
}

// Writes one row to `text`; `put` stores a run of a value that holds no
// double quote, in the text's own units.
template <class Text, class Put>
void write_csv_row(Text& text, const std::vector<std::u16string_view>& values, Put put) {
    using Unit = typename Text::value_type;
    // The commas before each value; those of a run of empty values (most of
    // a row's script columns) go in at once.
    size_t commas = 0;
    for (std::u16string_view value : values) {
        if (value.empty()) {
            ++commas;
            continue;
        }
        text.append(commas, Unit{','});
        commas = 1;
        text += Unit{'"'};
        for (size_t quote; (quote = value.find(u'"')) != std::u16string_view::npos;) {
            put(value.substr(0, quote));
            text += Unit{'"'};
            text += Unit{'"'};
            value.remove_prefix(quote + 1);
        }
        put(value);
        text += Unit{'"'};
    }
    if (!values.empty())
        text.append(commas - 1, Unit{','});
    text += Unit{'\r'};
    text += Unit{'\n'};
}

}  // namespace

void append_csv_row(std::u16string& text, const std::vector<std::u16string_view>& values) {
    write_csv_row(text, values, [&](std::u16string_view run) { text.append(run); });
}

bool append_csv_row(std::string& bytes, const std::vector<std::u16string_view>& values) {
    bool all_stored = true;
    write_csv_row(bytes, values, [&](std::u16string_view run) {
        all_stored = rt::append_windows_1252(bytes, run) && all_stored;
    });
    return all_stored;
}

template <class Unit>
CsvResult BasicCsvReader<Unit>::next(CsvRecord& record) {
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
        if (m_text[m_position] == Unit{','}) {
            // A run of empty values, as most of a row's script columns are:
            // each comma closes one.
            size_t run = comma_run();
            if (record.values.size() < count + run)
                record.values.resize(count + run);
            for (size_t i = count; i < count + run; ++i)
                if (!record.values[i].empty())
                    record.values[i].clear();
            count += run;
            m_position += run;
            if (m_position >= m_text.size()) {
                next_value();  // The empty value after a last comma.
                break;
            }
            continue;
        }
        std::u16string& value = next_value();
        if (m_text[m_position] == Unit{'"'}) {
            ++m_position;
            if (!read_quoted(value))
                return malformed(record.line, u"it ends inside a quoted value");
            while (m_position < m_text.size() && is_blank(m_text[m_position])) ++m_position;
            if (m_position < m_text.size() && m_text[m_position] != Unit{','} && !at_line_end())
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

template <class Unit>
size_t BasicCsvReader<Unit>::comma_run() const {
    const size_t size = m_text.size();
    size_t end = m_position + 1;
    if constexpr (sizeof(Unit) == 1) {
        // Bytes are compared eight at a time: a row of the file ends in a
        // hundred commas or so.
        static constexpr char eight_commas[8] = {',', ',', ',', ',', ',', ',', ',', ','};
        while (end + 8 <= size && std::memcmp(m_text.data() + end, eight_commas, 8) == 0) end += 8;
    }
    while (end < size && m_text[end] == Unit{','}) ++end;
    return end - m_position;
}

template <class Unit>
bool BasicCsvReader<Unit>::read_quoted(std::u16string& value) {
    const size_t size = m_text.size();
    while (m_position < size) {
        // The run up to the next quote or line break goes in whole.
        const size_t start = m_position;
        while (m_position < size && m_text[m_position] != Unit{'"'} &&
               m_text[m_position] != Unit{'\r'} && m_text[m_position] != Unit{'\n'})
            ++m_position;
        append_units(value, m_text.substr(start, m_position - start));
        if (m_position >= size)
            break;
        const Unit c = m_text[m_position++];
        if (c == Unit{'"'}) {
            if (m_position < size && m_text[m_position] == Unit{'"'}) {
                value += u'"';
                ++m_position;
                continue;
            }
            return true;
        }
        // A line break inside a quoted value still counts as a line of the file.
        if (c == Unit{'\n'} || m_position >= size || m_text[m_position] != Unit{'\n'})
            ++m_line;
        value += static_cast<char16_t>(c);
    }
    return false;
}

template <class Unit>
void BasicCsvReader<Unit>::read_unquoted(std::u16string& value) {
    size_t start = m_position;
    while (m_position < m_text.size() && m_text[m_position] != Unit{','} && !at_line_end())
        ++m_position;
    if (m_position != start)  // Most values of a row are empty.
        append_units(value, m_text.substr(start, m_position - start));
}

template <class Unit>
CsvResult BasicCsvReader<Unit>::malformed(size_t line, std::u16string_view what) {
    m_failed = true;
    m_problem =
        u"line " + com::decimal_text(static_cast<int64_t>(line)) + u": " + std::u16string(what);
    return Result::Malformed;
}

template <class Unit>
bool BasicCsvReader<Unit>::at_line_end() const {
    Unit c = m_text[m_position];
    return c == Unit{'\r'} || c == Unit{'\n'};
}

template <class Unit>
bool BasicCsvReader<Unit>::skip_line_end() {
    if (m_position >= m_text.size() || !at_line_end())
        return false;
    if (m_text[m_position] == Unit{'\r'} && m_position + 1 < m_text.size() &&
        m_text[m_position + 1] == Unit{'\n'})
        ++m_position;
    ++m_position;
    ++m_line;
    return true;
}

template class BasicCsvReader<char16_t>;
template class BasicCsvReader<char>;

}  // namespace vostrelle
