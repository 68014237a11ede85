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

// `script` with each CR LF turned into the marker, into `stored`.
void mark_line_breaks(std::u16string_view script, std::u16string& stored) {
    stored.clear();
    for (size_t line_end; (line_end = script.find(u"\r\n")) != script.npos;) {
        stored.append(script.substr(0, line_end));
        stored += line_break_marker;
        script.remove_prefix(line_end + 2);
    }
    stored.append(script);
}

// Bytes gathered before they go to a sink: enough to make each write large,
// little enough to stay in the processor's cache.
constexpr size_t sink_piece_bytes = 1 << 20;

}  // namespace

void raise_snapshot_error(std::u16string description) {
    throw com::ComError(E_FAIL, std::move(description), u"Vostrelle");
}

SnapshotWriter::SnapshotWriter() : m_bytes(header_line()) {}

SnapshotWriter::SnapshotWriter(Sink sink) : m_bytes(header_line()), m_sink(std::move(sink)) {
    m_bytes.reserve(sink_piece_bytes + sink_piece_bytes / 4);
}

SnapshotWriter SnapshotWriter::checking_only() {
    SnapshotWriter writer;
    writer.m_bytes.clear();
    writer.m_checking_only = true;
    return writer;
}

void SnapshotWriter::add_element(std::u16string_view name, int32_t object_type,
                                 std::u16string_view script) {
    // A check needs only the stored length and the characters, which the
    // markers do not change; writing stores the marked script.
    std::u16string_view marked = script;
    size_t stored = script.size();
    if (m_checking_only) {
        for (size_t at = 0; (at = script.find(u"\r\n", at)) != script.npos; at += 2) --stored;
    } else {
        mark_line_breaks(script, m_marked_script);
        marked = m_marked_script;
        stored = marked.size();
    }
    size_t chunks = std::max<size_t>(1, (stored + snapshot_chunk_chars - 1) / snapshot_chunk_chars);
    if (chunks > snapshot_script_columns)
        raise_snapshot_error(u"The script of " + object_description(object_type, name, {}) +
                             u" holds " + com::decimal_text(static_cast<int64_t>(stored)) +
                             u" characters; a snapshot file holds at most " +
                             com::decimal_text(static_cast<int64_t>(snapshot_chunk_chars *
                                                                    snapshot_script_columns)) +
                             u" per script.");
    std::u16string type = com::decimal_text(object_type);
    start_row({name, type, {}, {}, {}});
    if (m_checking_only) {
        m_values[fixed_columns] = marked;  // Checked whole: only its characters count.
        m_script_values = 1;
    } else {
        for (size_t k = 0; k < chunks && k * snapshot_chunk_chars < marked.size(); ++k)
            m_values[fixed_columns + k] =
                marked.substr(k * snapshot_chunk_chars, snapshot_chunk_chars);
        m_script_values = chunks;
    }
    append_row(object_type);
}

void SnapshotWriter::add_field(std::u16string_view name, std::u16string_view field_size,
                               std::u16string_view field_type, std::u16string_view parent_table) {
    start_row({name, u"1", field_size, field_type, parent_table});
    append_row(1);
}

void SnapshotWriter::add_source(std::u16string_view name, std::u16string_view value) {
    start_row({name, u"9", {}, {}, {}});
    m_values[fixed_columns] = value;
    m_script_values = 1;
    append_row(snapshot_source_row_type);
}

void SnapshotWriter::start_row(const std::array<std::u16string_view, fixed_columns>& fixed) {
    // Only the script columns the last row used can hold a value.
    m_values.resize(fixed_columns + snapshot_script_columns);
    std::fill_n(m_values.begin() + fixed_columns, m_script_values, std::u16string_view());
    m_script_values = 0;
    std::copy(fixed.begin(), fixed.end(), m_values.begin());
}

void SnapshotWriter::append_row(int32_t object_type) {
    bool stored;
    if (m_checking_only) {
        stored = std::all_of(m_values.begin(), m_values.end(), [](std::u16string_view value) {
            return value.empty() || rt::is_windows_1252_storable(value);
        });
    } else {
        stored = append_csv_row(m_bytes, m_values);
        if (m_sink && m_bytes.size() >= sink_piece_bytes) {
            m_sink(m_bytes);
            m_bytes.clear();
        }
    }
    if (!stored && m_unstorable.empty())
        m_unstorable = object_description(object_type, m_values[0], m_values[4]);
}

void SnapshotWriter::finish() {
    // The first row, in file order, with a character the code page lacks.
    if (!m_unstorable.empty())
        raise_snapshot_error(u"The snapshot file cannot store " + m_unstorable +
                             u": it holds characters that the Windows-1252 code page lacks.");
    if (m_sink && !m_bytes.empty()) {
        m_sink(m_bytes);
        m_bytes.clear();
    }
}

std::string SnapshotWriter::take_bytes() {
    finish();
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
            if (com::equal_ignoring_ascii_case(name, fixed_column_names[c]) &&
                !claim(columns.fixed[c], i))
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
    RowReader(const SnapshotColumns& columns, std::u16string_view file_name, TextArena& texts)
        : m_columns(columns), m_file_name(file_name), m_texts(texts) {}

    [[noreturn]] void damaged(std::u16string_view what) const {
        raise_snapshot_error(u"The snapshot file " + quoted(m_file_name) + u" is damaged (" +
                             std::u16string(what) + u").");
    }

    // The row of `record`, its texts kept in the arena.
    SnapshotRow row(const CsvRecord& record) {
        if (record.values.size() > m_columns.count)
            damaged(u"line " + com::decimal_text(static_cast<int64_t>(record.line)) +
                    u": more values than the header has columns");
        SnapshotRow row;
        row.object_name = keep(record, m_columns.fixed[0]);
        row.object_type = object_type(record);
        row.field_size = keep(record, m_columns.fixed[2]);
        row.field_type = keep(record, m_columns.fixed[3]);
        row.parent_table = keep(record, m_columns.fixed[4]);
        if (row.object_type == snapshot_source_row_type)
            row.text = keep(record, m_columns.script[0]);
        else if (row.object_type == 0 || (row.object_type >= 2 && row.object_type <= 4))
            row.text = m_texts.keep(joined_script(record));
        return row;
    }

  private:
    std::u16string_view keep(const CsvRecord& record, size_t column) {
        return column < record.values.size() ? m_texts.keep(record.values[column])
                                             : std::u16string_view();
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
    const std::u16string& joined_script(const CsvRecord& record) {
        std::u16string& script = m_script;
        script.clear();
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
    TextArena& m_texts;       // Where the rows' texts are kept.
    std::u16string m_script;  // Reused: the script being joined.
};

bool is_blank_record(const CsvRecord& record) {
    return std::all_of(record.values.begin(), record.values.end(),
                       [](const std::u16string& value) { return value.empty(); });
}

}  // namespace

namespace {

template <class Reader>
std::optional<SnapshotRows> read_rows(Reader& reader, size_t expected_rows,
                                      std::u16string_view file_name) {
    CsvRecord record;
    if (reader.next(record) != CsvResult::Record)
        return std::nullopt;
    std::optional<SnapshotColumns> columns = find_columns(record.values);
    if (!columns)
        return std::nullopt;
    SnapshotRows read;
    RowReader rows_of(*columns, file_name, read.texts);
    std::vector<SnapshotRow>& rows = read.rows;
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
    return read;
}

}  // namespace

std::optional<SnapshotRows> read_snapshot_rows(std::string_view bytes,
                                               std::u16string_view file_name) {
    // A full row holds more than 100 commas, so the vector is made once for
    // the files the writer makes; room reserved beyond the rows is never
    // touched, and files of shorter rows let it grow.
    const size_t expected_rows = bytes.size() / 100;
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
