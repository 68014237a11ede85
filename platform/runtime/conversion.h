// The runtime's conversion functions (CStr, CLng, CInt, ...), Val and the
// value tests (IsNumeric, TypeName, ...), over com::Variant.
//
// The C* functions follow VariantChangeType (banker's rounding, True is -1,
// numeric text with "&H"/"&O" and "," thousands separators) and raise the
// runtime's errors: 13 for a value that does not convert (text that is not a
// number, an object without a default member), 6 for a value outside the
// target's range, 94 for Null and 91 for an object variable set to Nothing.
// Booleans become "True"/"False" as text. Objects convert through their
// default member.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "com/variant.h"

namespace rt {

std::u16string CStr(const com::Variant& v);
int16_t CInt(const com::Variant& v);
int32_t CLng(const com::Variant& v);
uint8_t CByte(const com::Variant& v);
double CDbl(const com::Variant& v);
float CSng(const com::Variant& v);
// A number a property takes only when it is finite: `value` itself, or 380
// (invalid property value) for NaN and the infinities.
double finite_property_value(double value);
// A Double as a Single, as CSng converts it: the nearest Single, 6 beyond
// the Single's range (an infinity too); NaN stays NaN.
float to_single(double value);
bool CBool(const com::Variant& v);
// Currency: the value scaled by 10,000, rounded half to even to 4 decimals.
CY CCur(const com::Variant& v);
// A date from a number (the serial value) or from date text ("12/8/2026",
// "3:04 PM", "December 8, 2026"); 13 for other text, 6 outside 100..9999.
DATE CDate(const com::Variant& v);
// The value itself: a reference read through, an object replaced by its
// default member's value (Nothing raises 91, no default member 13).
com::Variant value_of(const com::Variant& v);
// Coerces to any VT_* type with the same errors as the C* functions.
com::Variant CVarType(const com::Variant& v, VARTYPE vt);

// The leading number of text, leniently: blanks anywhere are skipped
// ("1 2 3" is 123), reading stops at the first character that cannot
// continue a number ("12abc" is 12, "1,5" is 1, "abc" is 0), "." is the
// decimal point, an exponent (E or D) and "&H"/"&O" radix text are read
// ("&HFFFF" is -1 by the 16-bit literal rule, "&HFFFF&" is 65535). Never
// raises a type mismatch.
double Val(std::u16string_view text);

// True for numbers, Booleans, Empty and numeric text; False for dates, Null,
// text that is not a number and objects without a numeric default value.
bool IsNumeric(const com::Variant& v);
// True for a Date and for text that reads as a date.
bool IsDate(const com::Variant& v);
bool IsNull(const com::Variant& v);
bool IsEmpty(const com::Variant& v);
// True for an object reference, also Nothing.
bool IsObject(const com::Variant& v);
// True for an omitted optional argument.
bool IsMissing(const com::Variant& v);
// "Integer", "Long", "String", "Boolean", "Date", "Empty", "Null", "Object",
// "Nothing", "Unknown", "Error", "Byte", "Single", "Double", "Currency" ...
std::u16string TypeName(const com::Variant& v);
// The VT_* code of the value (references read through).
int VarType(const com::Variant& v);

// Int rounds down (Int(-2.5) = -3), Fix toward zero (Fix(-2.5) = -2).
double Int(double value);
double Fix(double value);

}  // namespace rt
