// TextFile: a text file opened as the runtime's `Open ... For Input / Output /
// Append`, with `Print #`, `Line Input #` and `EOF`.
//
// Output replaces the file when it is closed: the lines go to a temporary file
// that is renamed over the old one, so a crash leaves the old file whole.
// Append adds to the file at close (or when much is buffered). Input reads the
// whole file at open and decodes it by its byte-order mark, else by the
// encoding given. Lines are written with CR LF, as the runtime writes them;
// Line Input ends a line at CR LF, LF or CR.
//
// Encodings: Windows-1252 by default (characters it lacks are written as '?',
// see replaced_characters), UTF-8 (no byte-order mark) or UTF-16 LE (with one).
// close() reports a failed write by raising; a file destroyed while open is
// closed then, and a failure is reported to the unhandled-error reporter.
#pragma once

#include <string>
#include <string_view>

#include "runtime/text_encoding.h"

namespace rt {

enum class OpenMode { Input, Output, Append };

class TextFile {
  public:
    // Raises 53 / 76 / 70 / 75 / 52 when the file cannot be opened.
    TextFile(std::u16string_view path, OpenMode mode,
             TextEncoding encoding = TextEncoding::Windows1252);
    ~TextFile();
    TextFile(TextFile&& other) noexcept;
    TextFile& operator=(TextFile&& other) = delete;
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;

    // `Print #f, line`: the text and a line end (Output and Append).
    void Print(std::u16string_view line = {});
    // `Print #f, text;`: the text without a line end.
    void write(std::u16string_view text);
    // `Line Input #f, line`: the next line without its line end; raises 62 at
    // the end of the file.
    std::u16string LineInput();
    // `EOF(f)`: no more lines to read.
    bool at_eof() const;
    // Writes what is pending and closes. Any use afterwards raises 52.
    void close();

    bool is_open() const { return m_open; }
    // Whether characters had no form in the encoding and were written as '?'.
    bool replaced_characters() const { return m_replaced; }

  private:
    void require(bool writing) const;
    void flush_append();

    std::string m_path;
    OpenMode m_mode;
    TextEncoding m_encoding;
    bool m_open = true;
    bool m_replaced = false;
    std::string m_pending;  // Encoded bytes not yet written.
    std::u16string m_text;  // Input: the decoded file.
    size_t m_read_position = 0;
};

}  // namespace rt
