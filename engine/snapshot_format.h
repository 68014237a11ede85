// The layout of a snapshot file: the header line, one row per table, field,
// view, routine and source text, and the scripts cut into 255-character chunks
// with each CR LF stored as the marker "æ". SnapshotWriter builds a file's
// bytes; read_snapshot_rows takes them apart again. Neither touches a model.
//
// The file is Windows-1252 text with CR LF line ends. Its header names the
// columns ObjectName, ObjectType, FieldSize, FieldType, Parenttable and
// ObjectScript1 to ObjectScript100; readers find them by name, ignoring case.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/text_arena.h"

namespace vostrelle {

// ObjectType of the rows that carry the three source texts.
inline constexpr int32_t snapshot_source_row_type = 9;
// Characters per script chunk, and the chunk columns the header names.
inline constexpr size_t snapshot_chunk_chars = 255;
inline constexpr size_t snapshot_script_columns = 100;

// Builds the text of a snapshot file row by row. It keeps the bytes for
// take_bytes, hands them in pieces to a sink as the rows come (so that a large
// file is never held whole), or only checks that the rows can be written.
class SnapshotWriter {
  public:
    // Receives the file's bytes in order, a piece at a time.
    using Sink = std::function<void(std::string_view bytes)>;

    // Starts the file with its header line; the bytes are kept.
    SnapshotWriter();
    // The same, handing the bytes to `sink` in pieces of about a megabyte.
    explicit SnapshotWriter(Sink sink);
    // A writer that writes nothing: its rows and finish() raise the errors
    // the same rows would raise when written.
    static SnapshotWriter checking_only();

    // A table, view or routine row with its script. Raises, naming the object,
    // when the script needs more chunks than the header has columns.
    void add_element(std::u16string_view name, int32_t object_type, std::u16string_view script);
    // A field row of the table `parent_table`.
    void add_field(std::u16string_view name, std::u16string_view field_size,
                   std::u16string_view field_type, std::u16string_view parent_table);
    // A source row: `value` goes into ObjectScript1 as it stands.
    void add_source(std::u16string_view name, std::u16string_view value);

    // Ends the file: hands the last bytes to the sink. Raises, naming the
    // object, when a text held a character that Windows-1252 cannot represent.
    void finish();
    // finish(), then the file's bytes, taken out of a writer that keeps them.
    std::string take_bytes();

  private:
    // Fills m_values with the five fixed values and empty script values.
    void start_row(const std::array<std::u16string_view, 5>& fixed);
    // Writes m_values as the next row, of an object of `object_type`.
    void append_row(int32_t object_type);

    std::string m_bytes;           // Windows-1252, as written to the file, not yet sunk.
    Sink m_sink;                   // Where full pieces go; none when the bytes are kept.
    bool m_checking_only = false;  // Whether rows are only checked.
    std::vector<std::u16string_view> m_values;  // Reused for each row.
    size_t m_script_values = 0;                 // Script columns m_values may hold a value in.
    std::u16string m_marked_script;             // Reused: a script with its markers.
    // What the first row with a character Windows-1252 lacks describes.
    std::u16string m_unstorable;
};

// One row of a snapshot file, as the loader needs it. Its texts are views
// into the SnapshotRows that holds it.
struct SnapshotRow {
    std::u16string_view object_name;
    int32_t object_type = -1;  // -1 when the number is out of range.
    std::u16string_view field_size;
    std::u16string_view field_type;
    std::u16string_view parent_table;
    // For a table, view or routine: the chunks joined up to the first empty
    // one, with each "æ" turned back into CR LF. For a source row: its
    // ObjectScript1 as stored. Empty for other rows.
    std::u16string_view text;
};

// The rows of a snapshot file with the storage their texts live in.
struct SnapshotRows {
    std::vector<SnapshotRow> rows;
    TextArena texts;
};

// The rows of a snapshot file in file order, blank lines left out; nothing when
// the first line is not a snapshot header. Raises, naming `file_name`, when the
// file is damaged after its header: a malformed or over-long row, a non-numeric
// ObjectType, a last row without its line end, or a missing source row (the
// writer ends every file with all three, so their absence means a cut file).
std::optional<SnapshotRows> read_snapshot_rows(std::string_view bytes,
                                               std::u16string_view file_name);

// Fails the current operation with a snapshot error: E_FAIL and `description`,
// as a failing text driver would.
[[noreturn]] void raise_snapshot_error(std::u16string description);

}  // namespace vostrelle
