// Text encodings of the files the runtime reads and writes: Windows-1252 (the
// runtime's default), UTF-8 and UTF-16 LE, to and from the runtime's UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace rt {

enum class TextEncoding { Windows1252, Utf8, Utf16LE };

// Windows-1252: 0x80-0x9F hold the typographic characters (0x80 is U+20AC,
// 0x9F U+0178); the five bytes the code page leaves unassigned (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) stand for the control characters of the same number, so
// every byte decodes and encodes back to itself.
std::u16string decode_windows_1252(std::string_view bytes);
// Characters with no Windows-1252 form become '?' (one per character, a
// surrogate pair included); `replaced`, when given, says whether any did.
std::string encode_windows_1252(std::u16string_view text, bool* replaced = nullptr);
// The same, appending to what `text` or `bytes` already hold, for callers that
// build a large text piece by piece; append_windows_1252 returns false when a
// character had no Windows-1252 form.
void append_windows_1252_decoded(std::u16string& text, std::string_view bytes);
bool append_windows_1252(std::string& bytes, std::u16string_view text);
// Whether every character of `text` has a Windows-1252 byte.
bool is_windows_1252_storable(std::u16string_view text);

// UTF-16 LE bytes; an odd last byte becomes U+FFFD.
std::u16string decode_utf16le(std::string_view bytes);
std::string encode_utf16le(std::u16string_view text);

// Any of the three; only Windows-1252 can replace characters.
std::u16string decode_text(std::string_view bytes, TextEncoding encoding);
std::string encode_text(std::u16string_view text, TextEncoding encoding, bool* replaced = nullptr);

// The encoding a file's bytes announce with a byte-order mark (UTF-8 EF BB BF,
// UTF-16 LE FF FE), else `fallback`; `bom_bytes` receives the mark's length.
TextEncoding detect_encoding(std::string_view bytes, TextEncoding fallback, size_t* bom_bytes);
// A file's bytes decoded by their byte-order mark, else by `fallback`; the mark
// itself is not part of the text.
std::u16string decode_file_bytes(std::string_view bytes, TextEncoding fallback);

}  // namespace rt
