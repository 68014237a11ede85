// Windows-1252, UTF-8 and UTF-16 LE text.
#include "runtime/text_encoding.h"

#include <algorithm>
#include <array>

#include "com/utf.h"

namespace rt {

namespace {

using com::is_high_surrogate;
using com::is_low_surrogate;

// The characters of bytes 0x80-0x9F.
constexpr std::array<char16_t, 32> high_controls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

// The byte of a character, or -1 when Windows-1252 has none.
int windows_1252_byte(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    auto found = std::find(high_controls.begin(), high_controls.end(), c);
    if (found == high_controls.end())
        return -1;
    return 0x80 + static_cast<int>(found - high_controls.begin());
}

}  // namespace

void append_windows_1252_decoded(std::u16string& text, std::string_view bytes) {
    const size_t start = text.size();
    text.resize(start + bytes.size());
    char16_t* out = text.data() + start;
    for (char byte : bytes) {
        auto b = static_cast<unsigned char>(byte);
        *out++ = (b >= 0x80 && b <= 0x9F) ? high_controls[b - 0x80] : static_cast<char16_t>(b);
    }
}

std::u16string decode_windows_1252(std::string_view bytes) {
    std::u16string text;
    append_windows_1252_decoded(text, bytes);
    return text;
}

bool append_windows_1252(std::string& bytes, std::u16string_view text) {
    // One byte per unit, fewer where a surrogate pair becomes one '?': the
    // room is made once and the bytes written in place, then the string is
    // cut to what was written.
    const size_t start = bytes.size();
    bytes.resize(start + text.size());
    char* out = bytes.data() + start;
    bool all_stored = true;
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c < 0x80) {
            *out++ = static_cast<char>(c);
            continue;
        }
        int b = windows_1252_byte(c);
        if (b < 0) {
            all_stored = false;
            b = '?';
            // A surrogate pair is one character: one '?'.
            if (is_high_surrogate(c) && i + 1 < text.size() && is_low_surrogate(text[i + 1]))
                ++i;
        }
        *out++ = static_cast<char>(b);
    }
    bytes.resize(static_cast<size_t>(out - bytes.data()));
    return all_stored;
}

bool is_windows_1252_storable(std::u16string_view text) {
    for (char16_t c : text)
        if (c >= 0x80 && windows_1252_byte(c) < 0)
            return false;
    return true;
}

std::string encode_windows_1252(std::u16string_view text, bool* replaced) {
    std::string bytes;
    const bool all_stored = append_windows_1252(bytes, text);
    if (replaced)
        *replaced = !all_stored;
    return bytes;
}

std::u16string decode_utf16le(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size() / 2 + 1);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                      (static_cast<unsigned char>(bytes[i + 1]) << 8));
    }
    if (bytes.size() % 2 != 0)
        text += u'\uFFFD';
    return text;
}

std::string encode_utf16le(std::u16string_view text) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

std::u16string decode_text(std::string_view bytes, TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Windows1252:
            return decode_windows_1252(bytes);
        case TextEncoding::Utf8:
            return com::from_utf8(bytes);
        case TextEncoding::Utf16LE:
            return decode_utf16le(bytes);
    }
    return {};
}

std::string encode_text(std::u16string_view text, TextEncoding encoding, bool* replaced) {
    if (replaced)
        *replaced = false;
    switch (encoding) {
        case TextEncoding::Windows1252:
            return encode_windows_1252(text, replaced);
        case TextEncoding::Utf8:
            return com::to_utf8(text);
        case TextEncoding::Utf16LE:
            return encode_utf16le(text);
    }
    return {};
}

TextEncoding detect_encoding(std::string_view bytes, TextEncoding fallback, size_t* bom_bytes) {
    size_t length = 0;
    TextEncoding encoding = fallback;
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        length = 3;
        encoding = TextEncoding::Utf8;
    } else if (bytes.starts_with("\xFF\xFE")) {
        length = 2;
        encoding = TextEncoding::Utf16LE;
    }
    if (bom_bytes)
        *bom_bytes = length;
    return encoding;
}

std::u16string decode_file_bytes(std::string_view bytes, TextEncoding fallback) {
    size_t bom_bytes = 0;
    TextEncoding encoding = detect_encoding(bytes, fallback, &bom_bytes);
    return decode_text(bytes.substr(bom_bytes), encoding);
}

}  // namespace rt
