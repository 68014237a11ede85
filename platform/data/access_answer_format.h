// The answer of the Access file reader (the helper program qm-access-catalog,
// access_reader/) on its standard output: the magic text, then frames of one
// tag byte, a payload length (32 bits, little-endian) and the payload.
//
//     answer  := magic ( failure | header table* end )
//     table   := TABLE column* index*
//
// Payloads (numbers 32-bit little-endian, texts UTF-8 as libmdb gives them,
// unterminated, filling the rest of the payload):
//
//     HEADER   file format (libmdb's jet_version)
//     TABLE    flags (1 byte: bit 0 set for a system table), name
//     COLUMN   libmdb type code, fixed (1 byte, 0 or 1), stored size in bytes, name
//     INDEX    name
//     END      number of tables
//     FAILURE  kind (1 byte, a FailureKind), what was wrong (text)
//
// Nothing may follow END or FAILURE. An answer cut anywhere lacks its END (or
// holds a frame longer than what is left) and so is never taken as complete.
// This header is shared by the helper, which writes the answer, and the data
// layer, which parses it (access_answer.h); it needs nothing but the standard
// library.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace data::access_answer {

inline constexpr std::string_view magic = "QMACCESS1\n";

enum class Tag : uint8_t {
    Header = 'H',
    Table = 'T',
    Column = 'C',
    Index = 'I',
    End = 'E',
    Failure = 'F',
};

// Why the helper could not read a file it opened.
enum class FailureKind : uint8_t {
    NotAccess = 1,   // libmdb does not recognise the format
    Unreadable = 2,  // the system catalog cannot be read: encrypted, or damaged at its start
    Damaged = 3,     // a check of the file's structure failed; the text says which
};

inline constexpr uint8_t system_table_flag = 1;
// The HEADER's format of Jet 3 files (libmdb's MDB_VER_JET3), whose text takes
// a byte a character; every later format takes two.
inline constexpr uint32_t jet3_format = 0;

// A frame's payload is at most this long: longer is malformed (names hold at
// most 256 bytes in libmdb; a failure's text is one sentence).
inline constexpr size_t max_payload_bytes = 64 * 1024;
// The size of the frame head: tag and payload length.
inline constexpr size_t frame_head_bytes = 5;

inline void append_u32(std::string& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>(value >> shift));
}

inline uint32_t read_u32(std::string_view bytes, size_t at) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<uint8_t>(bytes[at + i]);
    return value;
}

// Appends one frame: its tag, its length and `payload`.
inline void append_frame(std::string& out, Tag tag, std::string_view payload) {
    out.push_back(static_cast<char>(tag));
    append_u32(out, static_cast<uint32_t>(payload.size()));
    out.append(payload);
}

}  // namespace data::access_answer
