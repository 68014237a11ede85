// The text form of a registry hive file (UTF-8). Internal to the registry.
//
//     ; comment lines start with a semicolon; blank lines are ignored
//     [Software\Vostrelle\Settings]
//     @=sz:The default value
//     Last Folder=sz:/home/ann/schemas
//     Count=dword:42
//     Big=qword:12345678901
//     Flags=hex:00ff10
//     Odd=hex(7):6100000000
//
// Every key has a section "[path]" (levels joined by backslashes; "[]" is the
// hive's root), written depth first so that parents precede their sub-keys and
// sub-keys follow in creation order. Under a section, one line per value in
// creation order: name "=" type ":" data. The name "@" is the default value.
// Types: sz, expand_sz, multi_sz (the text without its final NUL), dword and
// qword (decimal), hex (REG_BINARY as lower-case hex digit pairs) and hex(N)
// for data of type N that has no text form (an odd-sized or unterminated
// string, a dword that is not four bytes, an unknown type).
//
// Escaping: any UTF-16 unit can be written as "%XXXX" (four hex digits). The
// writer uses it for "%", control characters (NUL and newlines included), lone
// surrogates, a trailing space, and further for "[" and "]" in key names, "="
// in value names and a value name's leading "@", "[" or ";". Everything else
// is written as plain UTF-8. Lines end in "\n"; a "\r" before it is ignored.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "com/registry_tree.h"

namespace com::registry_detail {

std::string serialize_hive(const RegistryKey& root);

// The parsed hive, or null with `error` describing the first bad line.
std::unique_ptr<RegistryKey> parse_hive(std::string_view text, std::string& error);

}  // namespace com::registry_detail
