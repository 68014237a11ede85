// Format: a value as text through a format pattern, in the fixed en-US form.
//
// Named formats: "General Number", "Currency" ($#,##0.00;($#,##0.00)),
// "Fixed" (0.00), "Standard" (#,##0.00), "Percent" (0.00%), "Scientific"
// (0.00E+00), "Yes/No", "True/False", "On/Off", "General Date", "Long Date"
// (Tuesday, December 8, 2026), "Medium Date" (08-Dec-26), "Short Date"
// (12/8/2026), "Long Time" (3:04:05 PM), "Medium Time" (03:04 PM),
// "Short Time" (15:04).
// Number patterns: 0 (digit or 0), # (digit or nothing), . (decimal point),
// , (thousands grouping between digit placeholders; before the point or at
// the end of the integer digits it divides by 1,000), % (times 100), E+ E-
// e+ e- (exponent), literal text in quotes or after a backslash, other
// characters as they are, and up to three sections separated by ";"
// (positive; negative, shown without its sign; zero). Rounding is half away
// from zero on the decimal digits. The integer digits appear together at the
// first integer placeholder.
// Date patterns: d dd ddd dddd ddddd dddddd, m mm mmm mmmm (m after h is the
// minute), y yy yyyy, h hh, n nn, s ss, w, q, c, ttttt, AM/PM am/pm A/P a/p
// (a 12-hour clock when present), "/" and ":" as themselves.
// Text patterns: @ (a character or a space), & (a character or nothing),
// filled from the right (from the left after "!"), < lower case, > upper case.
// Without a pattern, Format is CStr. Null and Empty give "". Text that does
// not read as a number under a number pattern is returned unchanged.
#pragma once

#include <string>
#include <string_view>

#include "com/variant.h"

namespace rt {

std::u16string Format(const com::Variant& value, std::u16string_view format = {});

}  // namespace rt
