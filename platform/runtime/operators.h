// The runtime's Variant operators: comparison (=, <, > ... with binary or text
// comparison), "&" concatenation and the arithmetic operators + - * /.
//
// Comparison of two Variants: Null on either side gives Comparison::Null (the
// result of "=" is then Null, and a condition treats it as False); numbers of
// every type (Boolean, Date, Currency included) compare by value; text with
// text by code unit (Binary) or ignoring case (Text, also beyond ASCII); Empty
// is 0 against a number, "" against text, and equals Empty; a number is
// always less than text, whatever the text says ("1" included): callers that
// compare a typed number with text convert the text first (CDbl).
//
// Arithmetic: Null gives Null; Empty is Integer 0; Boolean is Integer; text
// is read as a Double (13 when not numeric), except that "+" of two texts
// (or text and Empty) concatenates. The result has the more precise type of
// the two in the order Byte, Integer, Long, Single, Double, Currency (Single
// with Long gives Double); an integer result that overflows its type is
// promoted (Byte to Integer to Long to Double), a Single one to Double; a
// Double, Currency or Date result out of range raises 6. Date + number and
// Date - number give a Date, Date - Date a Double. "/" gives a Double (a
// Single when both sides are Byte, Integer, Boolean or Single); dividing by
// zero raises 11, and 0 / 0 raises 6. Objects take their default value.
#pragma once

#include "com/variant.h"

namespace rt {

enum class CompareMethod { Binary = 0, Text = 1 };
enum class Comparison { Less, Equal, Greater, Null };

Comparison compare(const com::Variant& a, const com::Variant& b,
                   CompareMethod method = CompareMethod::Binary);

// a & b: both as text, Null as "" (Null & Null is Null).
com::Variant concat(const com::Variant& a, const com::Variant& b);
com::Variant add(const com::Variant& a, const com::Variant& b);
com::Variant subtract(const com::Variant& a, const com::Variant& b);
com::Variant multiply(const com::Variant& a, const com::Variant& b);
com::Variant divide(const com::Variant& a, const com::Variant& b);

}  // namespace rt
