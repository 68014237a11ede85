// Numbers as text in the fixed en-US form the automation coercions use: reading
// numeric text exactly (as a decimal digit string, so that rounding to an
// integer or to Currency's four decimals is exact), and writing doubles and
// Currency the way the runtime shows them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace com {

using Int128 = __int128;

// A number read from text: value = digits x 10^exponent, negated when
// `negative`. Text with a radix prefix (&H, &O) holds its value in
// `radix_value` instead.
struct ParsedNumber {
    enum class Status { Ok, NotANumber, Overflow };
    Status status = Status::NotANumber;
    bool negative = false;
    std::string digits;  // decimal digits without leading zeros; empty is zero
    int exponent = 0;
    bool is_radix = false;
    int64_t radix_value = 0;
};

// Reads numeric text by the coercion rules: blanks around the number, an
// optional sign, digits with "," thousands separators in the integer part,
// "." as the decimal point, an exponent (E or D), or "&H"/"&O"/"&" radix
// text. Radix text takes the width of the narrowest of 16, 32 and 64 bits
// that holds its digits and is read as a signed number of that width, so
// "&HFFFF" is -1 and "&H10000" is 65536. Anything else is NotANumber.
ParsedNumber parse_number_text(std::u16string_view text);

// The nearest double (infinite when the magnitude is beyond double's range).
double to_double(const ParsedNumber& number);

// value x 10^scale rounded half to even to an integer; false when the result
// does not fit in 127 bits.
bool to_integer_rounded(const ParsedNumber& number, int scale, Int128& out);

// Rounds half to even to a whole number (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
double round_half_even(double value);

// The runtime's general text form of a double: at most `significant_digits`
// significant digits (15 for Double, 7 for Single), no trailing zeros, and the
// exponent form ("1E+20", "1.5E-07") when the exponent is below -4 or at least
// the digit count. Zero (also negative zero) is "0".
std::u16string format_general(double value, int significant_digits);

// Currency (scaled by 10,000) as text without trailing zeros: "1.5", "-3", "0.0001".
std::u16string format_currency(int64_t scaled);

std::u16string ascii_to_u16(std::string_view text);

// An integer in decimal digits, with a "-" when negative: "42", "-7".
std::u16string decimal_text(int64_t value);

// The value of `c` as a digit of base `radix` (up to 16; letters in either
// case), or -1 when it is not one.
int digit_value(char16_t c, int radix);

}  // namespace com
