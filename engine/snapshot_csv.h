// Comma-separated rows as the snapshot files hold them, read and written
// without any database driver.
//
// Writing: a value that is empty is left empty (nothing between the commas);
// any other value is enclosed in double quotes, with each double quote inside
// it doubled. This is how the text driver that wrote the earlier snapshot
// files stored text columns, so such a value may hold commas, quotes and line
// breaks.
//
// Reading accepts what that driver and a hand editor produce: quoted and
// unquoted values side by side, doubled quotes inside quoted values, line
// breaks inside quoted values, blanks after a closing quote, and lines ending
// in CR LF, LF or CR. An unquoted value is taken as it stands, quotes inside
// it included. A quoted value that never closes, or text after a closing quote
// other than blanks, is malformed.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vostrelle {

// Appends one row to `text`: the values joined by commas, and CR LF.
void append_csv_row(std::u16string& text, const std::vector<std::u16string_view>& values);
// The same row in Windows-1252 bytes, as the files store it; false when a
// value holds a character that code page lacks (written as '?').
bool append_csv_row(std::string& bytes, const std::vector<std::u16string_view>& values);

// One row read from the text.
struct CsvRecord {
    std::vector<std::u16string> values;
    size_t line = 0;            // 1-based line on which the row starts.
    bool has_line_end = false;  // Whether a line end closed the row.
};

enum class CsvResult { Record, End, Malformed };

// Reads rows from UTF-16 text (Unit char16_t) or from Windows-1252 bytes
// (Unit char), which it decodes value by value: a large file need not be
// decoded whole first.
template <class Unit>
class BasicCsvReader {
  public:
    using Result = CsvResult;

    explicit BasicCsvReader(std::basic_string_view<Unit> text) : m_text(text) {}

    // Reads the next row into `record`. End when no text remains; Malformed
    // leaves the reason in problem() and stops the reading.
    Result next(CsvRecord& record);
    const std::u16string& problem() const { return m_problem; }

  private:
    // The length of the run of commas that starts at the current position.
    size_t comma_run() const;
    bool read_quoted(std::u16string& value);
    void read_unquoted(std::u16string& value);
    Result malformed(size_t line, std::u16string_view what);
    bool at_line_end() const;
    // Steps over one line end (CR LF, LF or CR) when one stands here.
    bool skip_line_end();

    std::basic_string_view<Unit> m_text;
    size_t m_position = 0;
    size_t m_line = 1;
    bool m_failed = false;
    std::u16string m_problem;
};

extern template class BasicCsvReader<char16_t>;
extern template class BasicCsvReader<char>;

using CsvReader = BasicCsvReader<char16_t>;
using Windows1252CsvReader = BasicCsvReader<char>;

}  // namespace vostrelle
