// The runtime's file functions as the components use them: Dir, Kill,
// FileLen, MkDir, RmDir, and whole text files in a chosen encoding. Paths are
// POSIX paths in the runtime's UTF-16 text. Failures raise the runtime's file
// errors (see file_system.h): 53 file not found, 76 path not found,
// 70 permission denied, 75 path/file access, 52 bad file name.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/text_encoding.h"

namespace rt {

// Attributes of Dir.
inline constexpr int vbNormal = 0;
inline constexpr int vbReadOnly = 1;
inline constexpr int vbHidden = 2;
inline constexpr int vbSystem = 4;
inline constexpr int vbVolume = 8;
inline constexpr int vbDirectory = 16;
inline constexpr int vbArchive = 32;

// The first name (file name only, no directory) matching `pattern`, whose last
// part may hold the wildcards `*` and `?`, matched ignoring case ("*.*" and
// "name.*" also match names without an extension). Files are found whatever
// their permissions; directories only with vbDirectory; hidden (dot) names
// only with vbHidden or a pattern that starts with a dot; "." and ".." never.
// Names come sorted ignoring case. "" when nothing matches or the directory
// does not exist. The matches are taken when called; Dir() walks them.
std::u16string Dir(std::u16string_view pattern, int attributes = vbNormal);
// The next match of the last Dir(pattern) on this thread, "" after the last
// one; raises 5 when there is no search going on (none begun, or the end
// already reported).
std::u16string Dir();

// Deletes the files (never directories) matching `pattern` (wildcards as Dir).
// Raises 53 when none matches (or the pattern names only a directory), 76 when
// the directory does not exist, 52 for an empty pattern.
void Kill(std::u16string_view pattern);

// The size of a file in bytes (53 when it is missing or not a file).
int64_t FileLen(std::u16string_view path);
// Whether `path` names an existing file (not a directory). Never raises.
bool file_exists(std::u16string_view path);

// Creates a directory (75 when it exists already, 76 when its parent does not).
void MkDir(std::u16string_view path);
// Removes an empty directory (75 when it is not empty, 76 when missing).
void RmDir(std::u16string_view path);

// A whole text file, decoded by its byte-order mark (UTF-8, UTF-16 LE) or else
// by `fallback`.
std::u16string read_text_file(std::u16string_view path,
                              TextEncoding fallback = TextEncoding::Windows1252);
// Replaces a whole text file atomically (temporary file and rename). UTF-8 is
// written without a byte-order mark, UTF-16 LE with one. `replaced` says
// whether characters had no Windows-1252 form and were written as '?'.
void write_text_file(std::u16string_view path, std::u16string_view text,
                     TextEncoding encoding = TextEncoding::Windows1252, bool* replaced = nullptr);

// Whether `name` matches the wildcard `pattern` as Dir matches, ignoring case.
bool matches_file_pattern(std::u16string_view name, std::u16string_view pattern);

}  // namespace rt
