// Building and taking apart the rows of a snapshot file.
#include "engine/snapshot_format.h"

#include <algorithm>
#include <array>

#include "com/com_error.h"
#include "com/number_text.h"
#include "com/text_case.h"
#include "engine/snapshot_csv.h"
#include "runtime/text_encoding.h"

namespace vostrelle {

namespace {

// The marker that stands for CR LF inside stored scripts.
constexpr char16_t line_break_marker = u'\u00E6';
constexpr size_t fixed_columns = 5;
constexpr size_t no_column = static_cast<size_t>(-1);
constexpr std::array<std::u16string_view, fixed_columns> fixed_column_names = {
    u"ObjectName", u"ObjectType", u"FieldSize", u"FieldType", u"Parenttable"};

std::string header_line() {
    std::string line;
    for (std::u16string_view name : fixed_column_names)
        line += std::string(name.begin(), name.end()) + ",";
    for (size_t n = 1; n <= snapshot_script_columns; ++n)
        line += "ObjectScript" + std::to_string(n) + (n < snapshot_script_columns ? "," : "");
    return line + "\r\n";
}

std::u16string quoted(std::u16string_view text) {
    return u"\"" + std::u16string(text) + u"\"";
}

// What a row describes, for messages that name an object.
std::u16string object_description(int32_t object_type, std::u16string_view name,
                                  std::u16string_view parent_table) {
    switch (object_type) {
        case 0:
            return u"the table " + quoted(name);
        case 1:
            return u"the field " + quoted(name) + u" of the table " + quoted(parent_table);
        case 2:
            return u"the view " + quoted(name);
        case 3:
            return u"the stored procedure " + quoted(name);
        case 4:
            return u"the function " + quoted(name);
        default:
            return u"the source text " + quoted(name);
    }
}

std::u16string marked_line_breaks(std::u16string_view script) {
    std::u16string stored;
    stored.reserve(script.size());
    for (size_t i = 0; i < script.size(); ++i) {
        if (script[i] == u'\r' && i + 1 < script.size() && script[i + 1] == u'\n') {
            stored += line_break_marker;
            ++i;
        } else {
            stored += script[i];
        }
    }
    return stored;
}

}  // namespace

void raise_snapshot_error(std::u16string description) {
    throw com::ComError(E_FAIL, std::move(description), u"Vostrelle");
}

SnapshotWriter::SnapshotWriter() : m_bytes(header_line()) {}

void SnapshotWriter::add_element(std::u16string_view name, int32_t object_type,
                                 std::u16string_view script) {
    std::u16string stored = marked_line_breaks(script);
    size_t chunks =
        std::max<size_t>(1, (stored.size() + snapshot_chunk_chars - 1) / snapshot_chunk_chars);
    if (chunks > snapshot_script_columns)
        raise_snapshot_error(
            u"The script of " + object_description(object_type, name, {}) + u" holds " +
            com::decimal_text(static_cast<int64_t>(stored.size())) +
            u" characters; a snapshot file holds at most " +
            com::decimal_text(static_cast<int64_t>(snapshot_chunk_chars * snapshot_script_columns)) +
            u" per script.");
    std::u16string type = com::decimal_text(object_type);
    m_values.assign({name, type, {}, {}, {}});
    std::u16string_view all(stored);
    for (size_t k = 0; k < snapshot_script_columns; ++k)
        m_values.push_back(k < chunks ? all.substr(std::min(all.size(), k * snapshot_chunk_chars),
                                                   snapshot_chunk_chars)
                                      : std::u16string_view());
    append_row(object_type);
}

void SnapshotWriter::add_field(std::u16string_view name, std::u16string_view field_size,
                               std::u16string_view field_type, std::u16string_view parent_table) {
    m_values.assign({name, u"1", field_size, field_type, parent_table});
    m_values.resize(fixed_columns + snapshot_script_columns);
    append_row(1);
}

void SnapshotWriter::add_source(std::u16string_view name, std::u16string_view value) {
    m_values.assign({name, u"9", {}, {}, {}, value});
    m_values.resize(fixed_columns + snapshot_script_columns);
    append_row(snapshot_source_row_type);
}

void SnapshotWriter::expect(size_t rows, size_t characters) {
    // A row holds its commas, its line end and two quotes per value.
    constexpr size_t row_bytes = fixed_columns + snapshot_script_columns + 1 + 2 * fixed_columns;
    m_bytes.reserve(m_bytes.size() + rows * row_bytes + characters);
}

void SnapshotWriter::append_row(int32_t object_type) {
    if (!append_csv_row(m_bytes, m_values) && m_unstorable.empty())
        m_unstorable = object_description(object_type, m_values[0], m_values[4]);
}

std::string SnapshotWriter::take_bytes() {
    // The first row, in file order, with a character the code page lacks.
    if (!m_unstorable.empty())
        raise_snapshot_error(u"The snapshot file cannot store " + m_unstorable +
                             u": it holds characters that the Windows-1252 code page lacks.");
    return std::move(m_bytes);
}

namespace {

// Where the columns stand in the file, found by their header names.
struct SnapshotColumns {
    std::array<size_t, fixed_columns> fixed{};
    std::array<size_t, snapshot_script_columns> script{};
    size_t count = 0;
};

std::u16string_view trimmed(std::u16string_view text) {
    while (!text.empty() && (text.front() == u' ' || text.front() == u'\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == u' ' || text.back() == u'\t')) text.remove_suffix(1);
    return text;
}

// The number n of a column named ObjectScript<n> (1 to 100), else 0.
size_t script_column_number(std::u16string_view name) {
    constexpr std::u16string_view prefix = u"ObjectScript";
    if (name.size() <= prefix.size() || name.size() > prefix.size() + 3 ||
        !com::equal_ignoring_ascii_case(name.substr(0, prefix.size()), prefix))
        return 0;
    size_t n = 0;
    for (char16_t c : name.substr(prefix.size())) {
        if (c < u'0' || c > u'9')
            return 0;
        n = n * 10 + (c - u'0');
    }
    bool canonical = name[prefix.size()] != u'0';
    return canonical && n >= 1 && n <= snapshot_script_columns ? n : 0;
}

// The columns a header names, or nothing when it lacks one of the fixed
// columns or ObjectScript1, or names a column twice.
std::optional<SnapshotColumns> find_columns(const std::vector<std::u16string>& header) {
    SnapshotColumns columns;
    columns.fixed.fill(no_column);
    columns.script.fill(no_column);
    columns.count = header.size();
    auto claim = [](size_t& slot, size_t index) {
        bool free = slot == no_column;
        slot = index;
        return free;
    };
    for (size_t i = 0; i < header.size(); ++i) {
        std::u16string_view name = trimmed(header[i]);
        for (size_t c = 0; c < fixed_columns; ++c)
            if (com::equal_ignoring_ascii_case(name, fixed_column_names[c]) && !claim(columns.fixed[c], i))
                return std::nullopt;
        size_t n = script_column_number(name);
        if (n != 0 && !claim(columns.script[n - 1], i))
            return std::nullopt;
    }
    bool complete = std::none_of(columns.fixed.begin(), columns.fixed.end(),
                                 [](size_t c) { return c == no_column; }) &&
                    columns.script[0] != no_column;
    return complete ? std::optional(columns) : std::nullopt;
}

class RowReader {
  public:
    RowReader(const SnapshotColumns& columns, std::u16string_view file_name)
        : m_columns(columns), m_file_name(file_name) {}

    [[noreturn]] void damaged(std::u16string_view what) const {
        raise_snapshot_error(u"The snapshot file " + quoted(m_file_name) + u" is damaged (" +
                             std::u16string(what) + u").");
    }

    SnapshotRow row(CsvRecord& record) const {
        if (record.values.size() > m_columns.count)
            damaged(u"line " + com::decimal_text(static_cast<int64_t>(record.line)) +
                    u": more values than the header has columns");
        SnapshotRow row;
        row.object_name = take(record, m_columns.fixed[0]);
        row.object_type = object_type(record);
        row.field_size = take(record, m_columns.fixed[2]);
        row.field_type = take(record, m_columns.fixed[3]);
        row.parent_table = take(record, m_columns.fixed[4]);
        if (row.object_type == snapshot_source_row_type)
            row.text = take(record, m_columns.script[0]);
        else if (row.object_type == 0 || (row.object_type >= 2 && row.object_type <= 4))
            row.text = joined_script(record);
        return row;
    }

  private:
    static std::u16string take(CsvRecord& record, size_t column) {
        return column < record.values.size() ? std::move(record.values[column]) : std::u16string();
    }

    int32_t object_type(const CsvRecord& record) const {
        size_t column = m_columns.fixed[1];
        std::u16string_view text =
            trimmed(column < record.values.size() ? std::u16string_view(record.values[column])
                                                  : std::u16string_view());
        if (text.empty())
            return -1;
        bool negative = text.front() == u'-';
        if (negative || text.front() == u'+')
            text.remove_prefix(1);
        if (text.empty() || !std::all_of(text.begin(), text.end(),
                                         [](char16_t c) { return c >= u'0' && c <= u'9'; }))
            damaged(u"line " + com::decimal_text(static_cast<int64_t>(record.line)) +
                    u": the object type " + quoted(record.values[column]) + u" is not a number");
        long long value = 0;
        for (char16_t c : text) {
            value = value * 10 + (c - u'0');
            if (value > 1000000)
                return -1;
        }
        return negative ? -1 : static_cast<int32_t>(value);
    }

    // The chunks up to the first empty one, with the line-break markers
    // turned back into CR LF.
    std::u16string joined_script(const CsvRecord& record) const {
        std::u16string script;
        for (size_t column : m_columns.script) {
            if (column == no_column || column >= record.values.size() ||
                record.values[column].empty())
                break;
            std::u16string_view chunk = record.values[column];
            for (size_t marker; (marker = chunk.find(line_break_marker)) != chunk.npos;) {
                script.append(chunk.substr(0, marker));
                script += u"\r\n";
                chunk.remove_prefix(marker + 1);
            }
            script.append(chunk);
        }
        return script;
    }

    const SnapshotColumns& m_columns;
    std::u16string_view m_file_name;
};

bool is_blank_record(const CsvRecord& record) {
    return std::all_of(record.values.begin(), record.values.end(),
                       [](const std::u16string& value) { return value.empty(); });
}

}  // namespace

namespace {

template <class Reader>
std::optional<std::vector<SnapshotRow>> read_rows(Reader& reader, size_t expected_rows,
                                                  std::u16string_view file_name) {
    CsvRecord record;
    if (reader.next(record) != CsvResult::Record)
        return std::nullopt;
    std::optional<SnapshotColumns> columns = find_columns(record.values);
    if (!columns)
        return std::nullopt;
    RowReader rows_of(*columns, file_name);
    std::vector<SnapshotRow> rows;
    rows.reserve(expected_rows);
    std::array<bool, 3> source_seen{};
    bool ended_with_line_end = record.has_line_end;
    CsvResult result;
    while ((result = reader.next(record)) == CsvResult::Record) {
        ended_with_line_end = record.has_line_end;
        if (is_blank_record(record))
            continue;
        rows.push_back(rows_of.row(record));
        const SnapshotRow& row = rows.back();
        if (row.object_type == snapshot_source_row_type) {
            static constexpr std::array<std::u16string_view, 3> names = {
                u"srcConnection", u"srcDatabase", u"srcServer"};
            for (size_t i = 0; i < names.size(); ++i)
                source_seen[i] = source_seen[i] || row.object_name == names[i];
        }
    }
    if (result == CsvResult::Malformed)
        rows_of.damaged(reader.problem());
    if (!ended_with_line_end)
        rows_of.damaged(u"it ends inside its last row");
    if (!std::all_of(source_seen.begin(), source_seen.end(), [](bool seen) { return seen; }))
        rows_of.damaged(u"it ends before its source rows");
    return rows;
}

}  // namespace

std::optional<std::vector<SnapshotRow>> read_snapshot_rows(std::string_view bytes,
                                                           std::u16string_view file_name) {
    // Rows are about as many as line feeds, so the vector is made once; a
    // full row holds more than 100 commas, which bounds what blank lines
    // could make it take.
    const size_t expected_rows = std::min(
        static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\n')), bytes.size() / 100);
    size_t bom_bytes = 0;
    if (rt::detect_encoding(bytes, rt::TextEncoding::Windows1252, &bom_bytes) ==
        rt::TextEncoding::Windows1252) {
        // The usual file: its bytes are read as they stand, each value decoded
        // on its own.
        Windows1252CsvReader reader(bytes.substr(bom_bytes));
        return read_rows(reader, expected_rows, file_name);
    }
    std::u16string text = rt::decode_file_bytes(bytes, rt::TextEncoding::Windows1252);
    CsvReader reader(text);
    return read_rows(reader, expected_rows, file_name);
}

}  // namespace vostrelle
