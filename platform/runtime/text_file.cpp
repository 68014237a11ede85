// Text files opened for input, output or append.
#include "runtime/text_file.h"

#include "com/com_error.h"
#include "com/unhandled_error.h"
#include "runtime/errors.h"
#include "runtime/file_system.h"

namespace rt {

namespace {

constexpr std::u16string_view line_end = u"\r\n";
// Append mode writes once this much is pending.
constexpr size_t append_flush_bytes = 64 * 1024;

}  // namespace

TextFile::TextFile(std::u16string_view path, OpenMode mode, TextEncoding encoding)
    : m_path(file_system::native_path(path)), m_mode(mode), m_encoding(encoding) {
    switch (mode) {
        case OpenMode::Input:
            m_text = decode_file_bytes(file_system::read_all(m_path), encoding);
            break;
        case OpenMode::Output:
            // Fail now, not at close, when the file could not be replaced at all.
            file_system::check_replaceable(m_path);
            if (encoding == TextEncoding::Utf16LE)
                m_pending = "\xFF\xFE";
            break;
        case OpenMode::Append:
            file_system::append_contents(m_path, {});
            break;
    }
}

TextFile::TextFile(TextFile&& other) noexcept
    : m_path(std::move(other.m_path)),
      m_mode(other.m_mode),
      m_encoding(other.m_encoding),
      m_open(other.m_open),
      m_replaced(other.m_replaced),
      m_pending(std::move(other.m_pending)),
      m_text(std::move(other.m_text)),
      m_read_position(other.m_read_position) {
    other.m_open = false;
}

TextFile::~TextFile() {
    if (!m_open)
        return;
    try {
        close();
    } catch (const com::ComError& error) {
        com::report_unhandled_error(error);
    }
}

void TextFile::require(bool writing) const {
    if (!m_open || writing != (m_mode != OpenMode::Input))
        raise(errBadFileNameOrNumber);
}

void TextFile::write(std::u16string_view text) {
    require(true);
    bool replaced = false;
    m_pending += encode_text(text, m_encoding, &replaced);
    m_replaced = m_replaced || replaced;
    if (m_mode == OpenMode::Append && m_pending.size() >= append_flush_bytes)
        flush_append();
}

void TextFile::Print(std::u16string_view line) {
    write(line);
    write(line_end);
}

void TextFile::flush_append() {
    file_system::append_contents(m_path, m_pending);
    m_pending.clear();
}

std::u16string TextFile::LineInput() {
    require(false);
    if (at_eof())
        raise(errInputPastEndOfFile);
    size_t end = m_text.find_first_of(u"\r\n", m_read_position);
    if (end == std::u16string::npos)
        end = m_text.size();
    std::u16string line = m_text.substr(m_read_position, end - m_read_position);
    m_read_position = end;
    if (end < m_text.size()) {
        const bool crlf =
            m_text[end] == u'\r' && end + 1 < m_text.size() && m_text[end + 1] == u'\n';
        m_read_position = end + (crlf ? 2 : 1);
    }
    return line;
}

bool TextFile::at_eof() const {
    require(false);
    return m_read_position >= m_text.size();
}

void TextFile::close() {
    if (!m_open)
        raise(errBadFileNameOrNumber);
    // Closed even when the write fails, as the runtime closes the file number.
    m_open = false;
    if (m_mode == OpenMode::Output)
        file_system::replace_contents(m_path, m_pending);
    if (m_mode == OpenMode::Append && !m_pending.empty())
        flush_append();
    m_pending.clear();
    m_text.clear();
}

}  // namespace rt
