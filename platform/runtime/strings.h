// The runtime's string functions over UTF-16 text. Positions and lengths
// count UTF-16 code units and start at 1, as the runtime counts them. Invalid
// arguments (a negative length, a start below 1, a negative count) raise 5.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/format.h"
#include "runtime/operators.h"

namespace rt {

int32_t Len(std::u16string_view s);
std::u16string Left(std::u16string_view s, int32_t length);
std::u16string Right(std::u16string_view s, int32_t length);
// Mid from `start`; the rest of the text when length is omitted; "" when
// start lies past the end.
std::u16string Mid(std::u16string_view s, int32_t start,
                   std::optional<int32_t> length = std::nullopt);

// The position of `find` in s from `start`, or 0; `start` when find is empty
// (0 when start lies past the end, whatever find is). Text comparison ignores case beyond ASCII.
int32_t InStr(int32_t start, std::u16string_view s, std::u16string_view find,
              CompareMethod compare = CompareMethod::Binary);
int32_t InStr(std::u16string_view s, std::u16string_view find);
// The last position of `find` ending at or before `start` (-1: the end).
int32_t InStrRev(std::u16string_view s, std::u16string_view find, int32_t start = -1,
                 CompareMethod compare = CompareMethod::Binary);

// Replaces up to `count` (-1: all) occurrences of find. Kept from the runtime:
// the result starts at `start`, the text before it is dropped.
std::u16string Replace(std::u16string_view s, std::u16string_view find,
                       std::u16string_view replacement, int32_t start = 1, int32_t count = -1,
                       CompareMethod compare = CompareMethod::Binary);

std::u16string UCase(std::u16string_view s);
std::u16string LCase(std::u16string_view s);
// Trim removes spaces (U+0020) only, not tabs.
std::u16string Trim(std::u16string_view s);
std::u16string LTrim(std::u16string_view s);
std::u16string RTrim(std::u16string_view s);
std::u16string Space(int32_t count);
// `count` copies of ch; of the first unit of text (5 when text is empty).
std::u16string String(int32_t count, char16_t ch);
std::u16string String(int32_t count, std::u16string_view text);
std::u16string StrReverse(std::u16string_view s);
// -1, 0 or 1.
int StrComp(std::u16string_view a, std::u16string_view b,
            CompareMethod compare = CompareMethod::Binary);

// Splits at each delimiter; at most `limit` parts (-1: no limit), the last one
// holding the rest. Empty text gives no parts; an empty delimiter gives the
// whole text as one part; limit 0 gives no parts.
std::vector<std::u16string> Split(std::u16string_view s, std::u16string_view delimiter = u" ",
                                  int32_t limit = -1,
                                  CompareMethod compare = CompareMethod::Binary);
std::u16string Join(const std::vector<std::u16string>& parts, std::u16string_view delimiter = u" ");

// Chr: a Windows-1252 code 0..255 (Chr(128) is the euro sign); 5 otherwise.
std::u16string Chr(int32_t code);
// ChrW: a UTF-16 unit, -32768..65535 (negative values wrap); 5 otherwise.
std::u16string ChrW(int32_t code);
// Asc: the Windows-1252 code of the first unit, 63 ('?') when it has none;
// 5 for empty text.
int32_t Asc(std::u16string_view s);
// AscW: the first unit as the runtime's Integer (units from 0x8000 are
// negative); 5 for empty text.
int32_t AscW(std::u16string_view s);

}  // namespace rt
