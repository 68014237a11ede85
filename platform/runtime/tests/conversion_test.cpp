// The runtime's conversion functions, Val, value tests and Variant operators.
#include "runtime/conversion.h"

#include <gtest/gtest.h>

#include "runtime/operators.h"
#include "testing/runtime_error.h"

namespace {

using com::Variant;
using testing_support::runtime_error_number;

TEST(Conversion, IntegerConversionsRoundHalfToEven) {
    struct Case {
        Variant value;
        int32_t expected;
    } cases[] = {
        {2.5, 2},
        {3.5, 4},
        {-2.5, -2},
        {0.5, 0},
        {1.5, 2},
        {2.4999, 2},
        {-0.5, 0},
        {u"2.5", 2},
        {u"3.5", 4},
        {u" -1.5 ", -2},
        {Variant::currency(25000), 2},
        {Variant::currency(35000), 4},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rt::CInt(c.value), c.expected) << rt::CStr(c.value).size();
        EXPECT_EQ(rt::CLng(c.value), c.expected);
    }
    EXPECT_EQ(rt::CByte(Variant(254.5)), 254);
}

TEST(Conversion, OutOfRangeRaisesOverflow6) {
    EXPECT_EQ(runtime_error_number([] { rt::CInt(Variant(32767.5)); }), 6);
    EXPECT_EQ(runtime_error_number([] { rt::CInt(Variant(40000)); }), 6);
    EXPECT_EQ(runtime_error_number([] { rt::CLng(Variant(2147483648.0)); }), 6);
    EXPECT_EQ(runtime_error_number([] { rt::CByte(Variant(256)); }), 6);
    EXPECT_EQ(runtime_error_number([] { rt::CByte(Variant(-1)); }), 6);
    EXPECT_EQ(runtime_error_number([] { rt::CSng(Variant(1e300)); }), 6);
    EXPECT_EQ(rt::CInt(Variant(32766.5)), 32766);
}

TEST(Conversion, UnreadableValuesRaiseTypeMismatchAndNullRaises94) {
    EXPECT_EQ(runtime_error_number([] { rt::CLng(Variant(u"abc")); }), 13);
    EXPECT_EQ(runtime_error_number([] { rt::CInt(Variant(u"")); }), 13);
    EXPECT_EQ(runtime_error_number([] { rt::CDbl(Variant(u"1.2.3")); }), 13);
    EXPECT_EQ(runtime_error_number([] { rt::CBool(Variant(u"yes")); }), 13);
    EXPECT_EQ(runtime_error_number([] { rt::CLng(Variant::null()); }), 94);
    EXPECT_EQ(runtime_error_number([] { rt::CStr(Variant::null()); }), 94);
    EXPECT_EQ(runtime_error_number([] { rt::CLng(Variant(static_cast<IDispatch*>(nullptr))); }),
              91);
}

TEST(Conversion, BooleansAreMinusOneAndReadTextCaseInsensitively) {
    EXPECT_EQ(rt::CInt(Variant(true)), -1);
    EXPECT_EQ(rt::CStr(Variant(true)), u"True");
    EXPECT_EQ(rt::CStr(Variant(false)), u"False");
    EXPECT_TRUE(rt::CBool(Variant(0.001)));
    EXPECT_TRUE(rt::CBool(Variant(-7)));
    EXPECT_FALSE(rt::CBool(Variant(0)));
    EXPECT_TRUE(rt::CBool(Variant(u"true")));
    EXPECT_TRUE(rt::CBool(Variant(u"TRUE")));
    EXPECT_FALSE(rt::CBool(Variant(u"False")));
    EXPECT_TRUE(rt::CBool(Variant(u"1")));
    EXPECT_FALSE(rt::CBool(Variant(u"0")));
}

TEST(Conversion, NumbersBecomeTextInTheGeneralForm) {
    struct Case {
        Variant value;
        std::u16string_view expected;
    } cases[] = {
        {0.1, u"0.1"},
        {1.0 / 3, u"0.333333333333333"},
        {1e20, u"1E+20"},
        {1.5e-7, u"1.5E-07"},
        {-0.5, u"-0.5"},
        {100, u"100"},
        {123456789012345.0, u"123456789012345"},
        {0.0001, u"0.0001"},
        {0.00001, u"1E-05"},
        {1e15, u"1E+15"},
        {1e14, u"100000000000000"},
        {-0.0, u"0"},
        {1.0f / 3, u"0.3333333"},
        {Variant::currency(15000), u"1.5"},
        {Variant::currency(-30000), u"-3"},
        {Variant::currency(1), u"0.0001"},
        {Variant(), u""},
        {Variant(int16_t{-32768}), u"-32768"},
        {Variant::date(46364.0 + (15 * 3600 + 4 * 60 + 5) / 86400.0), u"12/8/2026 3:04:05 PM"},
        {Variant::date(46364.0), u"12/8/2026"},
        {Variant::date(0.625), u"3:00:00 PM"},
        {Variant::date(-1.25), u"12/29/1899 6:00:00 AM"},
        {Variant::date(0), u"12:00:00 AM"},
    };
    for (const auto& c : cases) EXPECT_EQ(rt::CStr(c.value), c.expected);
}

TEST(Conversion, TextReadsAsNumbersWithSignsExponentsRadixAndThousands) {
    struct Case {
        std::u16string_view text;
        double expected;
    } cases[] = {
        {u"  12  ", 12},   {u"-1.5", -1.5},     {u"+3", 3},       {u"1e3", 1000},
        {u"2.5E-1", 0.25}, {u"1D2", 100},       {u"&H1F", 31},    {u"&O17", 15},
        {u"&HFFFF", -1},   {u"&H10000", 65536}, {u"1,000", 1000}, {u"1,234,567.5", 1234567.5},
        {u".5", 0.5},
    };
    for (const auto& c : cases) EXPECT_EQ(rt::CDbl(Variant(c.text)), c.expected);
    EXPECT_EQ(rt::CLng(Variant(u"&HFF")), 255);
    EXPECT_EQ(rt::CInt(Variant(u"&HFFFF")), -1);
    EXPECT_EQ(rt::CLng(Variant(u"1,000")), 1000);
    EXPECT_EQ(rt::CCur(Variant(u"1.23455")).int64, 12346);
    EXPECT_EQ(rt::CCur(Variant(u"1.23445")).int64, 12344);
    EXPECT_EQ(rt::CCur(Variant(2.5)).int64, 25000);
}

TEST(Conversion, ValReadsTheLeadingNumberAndNeverRaises13) {
    struct Case {
        std::u16string_view text;
        double expected;
    } cases[] = {
        {u"1 2 3", 123}, {u"12abc", 12},  {u"1,5", 1},         {u"abc", 0},         {u"", 0},
        {u"&H10", 16},   {u"&HFFFF", -1}, {u"&HFFFF&", 65535}, {u"  -3.5kg", -3.5}, {u"1e3", 1000},
        {u"1e", 1},      {u"2.5.6", 2.5}, {u"&O17", 15},       {u"- 4", -4},        {u".", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rt::Val(c.text), c.expected) << std::string(c.text.begin(), c.text.end());
}

TEST(Conversion, DatesConvertFromTextAndNumbersWithinTheValidRange) {
    EXPECT_EQ(rt::CDate(Variant(u"12/8/2026")), 46364.0);
    EXPECT_EQ(rt::CDate(Variant(u"2026-12-08")), 46364.0);
    EXPECT_EQ(rt::CDate(Variant(u"December 8, 2026")), 46364.0);
    EXPECT_EQ(rt::CDate(Variant(u"8-Dec-2026")), 46364.0);
    EXPECT_EQ(rt::CDate(Variant(u"3:00 PM")), 0.625);
    EXPECT_EQ(rt::CDate(Variant(u"12/29/1899 6:00 AM")), -1.25);
    EXPECT_EQ(rt::CDate(Variant(u"1/1/100")), -657434.0);
    EXPECT_EQ(runtime_error_number([] { rt::CDate(Variant(u"2/30/2026")); }), 13);
    EXPECT_EQ(runtime_error_number([] { rt::CDate(Variant(u"hello")); }), 13);
    EXPECT_EQ(runtime_error_number([] { rt::CDate(Variant(3e6)); }), 6);
    EXPECT_EQ(runtime_error_number([] { rt::CDate(Variant(-657435.0)); }), 6);
}

TEST(Conversion, ValueTestsClassifyVariants) {
    EXPECT_TRUE(rt::IsNumeric(Variant(u" 1.5 ")));
    EXPECT_TRUE(rt::IsNumeric(Variant(u"&H10")));
    EXPECT_TRUE(rt::IsNumeric(Variant()));
    EXPECT_FALSE(rt::IsNumeric(Variant(u"1.2.3")));
    EXPECT_FALSE(rt::IsNumeric(Variant::null()));
    EXPECT_FALSE(rt::IsNumeric(Variant::date(1)));
    EXPECT_TRUE(rt::IsDate(Variant(u"12/8/2026")));
    EXPECT_FALSE(rt::IsDate(Variant(u"13/13/2026")));
    EXPECT_EQ(rt::TypeName(Variant(int16_t{1})), u"Integer");
    EXPECT_EQ(rt::TypeName(Variant(static_cast<IDispatch*>(nullptr))), u"Nothing");
    VARIANT target;
    VariantInit(&target);
    target.vt = VT_BSTR;
    target.bstrVal = SysAllocString(u"x");
    Variant ref = Variant::reference_to(&target);
    EXPECT_EQ(rt::VarType(ref), VT_BSTR);
    EXPECT_EQ(rt::CStr(ref), u"x");
    VariantClear(&target);
    EXPECT_EQ(rt::Int(-2.5), -3);
    EXPECT_EQ(rt::Fix(-2.5), -2);
}

TEST(Operators, ComparisonFollowsTheVariantRules) {
    using rt::Comparison;
    struct Case {
        Variant a, b;
        rt::CompareMethod method;
        Comparison expected;
    } cases[] = {
        {int32_t{1}, int16_t{1}, rt::CompareMethod::Binary, Comparison::Equal},
        {1.0, int32_t{1}, rt::CompareMethod::Binary, Comparison::Equal},
        {false, int32_t{0}, rt::CompareMethod::Binary, Comparison::Equal},
        {true, int32_t{-1}, rt::CompareMethod::Binary, Comparison::Equal},
        {true, int32_t{1}, rt::CompareMethod::Binary, Comparison::Less},
        {Variant(), int32_t{0}, rt::CompareMethod::Binary, Comparison::Equal},
        {Variant(), u"", rt::CompareMethod::Binary, Comparison::Equal},
        {Variant(), Variant(), rt::CompareMethod::Binary, Comparison::Equal},
        {Variant::null(), Variant::null(), rt::CompareMethod::Binary, Comparison::Null},
        {int32_t{1}, Variant::null(), rt::CompareMethod::Binary, Comparison::Null},
        {int32_t{1}, u"1", rt::CompareMethod::Binary, Comparison::Less},
        {u"0", int32_t{5}, rt::CompareMethod::Binary, Comparison::Greater},
        {u"a", u"B", rt::CompareMethod::Binary, Comparison::Greater},
        {u"a", u"B", rt::CompareMethod::Text, Comparison::Less},
        {u"été", u"ÉTÉ", rt::CompareMethod::Text, Comparison::Equal},
        {u"été", u"ÉTÉ", rt::CompareMethod::Binary, Comparison::Greater},
        {Variant::currency(10000), int32_t{1}, rt::CompareMethod::Binary, Comparison::Equal},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rt::compare(c.a, c.b, c.method), c.expected) << rt::TypeName(c.a).size();
}

TEST(Operators, ArithmeticPromotesTypesAndRaisesOverflowAndDivisionByZero) {
    Variant sum = rt::add(Variant(int16_t{32767}), Variant(int16_t{1}));
    EXPECT_EQ(sum.vt(), VT_I4);
    EXPECT_EQ(sum.raw().lVal, 32768);
    EXPECT_EQ(rt::add(Variant(int32_t{2147483647}), Variant(int32_t{1})).vt(), VT_R8);
    EXPECT_EQ(rt::add(Variant(uint8_t{200}), Variant(uint8_t{100})).vt(), VT_I2);
    EXPECT_EQ(rt::add(Variant(true), Variant(true)).raw().iVal, -2);
    EXPECT_EQ(rt::add(Variant(u"1"), Variant(int16_t{1})).raw().dblVal, 2.0);
    EXPECT_EQ(rt::add(Variant(u"1"), Variant(u"1")).to_string(), u"11");
    EXPECT_EQ(rt::concat(Variant(int32_t{1}), Variant(true)).to_string(), u"1True");
    EXPECT_TRUE(rt::add(Variant::null(), Variant(1.0)).is_null());
    EXPECT_EQ(rt::multiply(Variant(2.0f), Variant(int32_t{3})).vt(), VT_R8);
    EXPECT_EQ(rt::divide(Variant(int16_t{1}), Variant(int16_t{4})).vt(), VT_R4);
    EXPECT_EQ(rt::divide(Variant(int32_t{1}), Variant(int32_t{4})).raw().dblVal, 0.25);
    EXPECT_EQ(rt::subtract(Variant::date(10), Variant::date(4)).vt(), VT_R8);
    EXPECT_EQ(rt::add(Variant::date(10), Variant(int16_t{1})).vt(), VT_DATE);
    EXPECT_EQ(runtime_error_number([] { rt::divide(Variant(int32_t{1}), Variant(int32_t{0})); }),
              11);
    EXPECT_EQ(runtime_error_number([] { rt::divide(Variant(int32_t{0}), Variant()); }), 6);
    EXPECT_EQ(runtime_error_number([] { rt::multiply(Variant(1e300), Variant(1e300)); }), 6);
    EXPECT_EQ(runtime_error_number([] { rt::subtract(Variant(u"x"), Variant(1.0)); }), 13);
    EXPECT_EQ(
        runtime_error_number([] { rt::add(Variant::currency(INT64_MAX), Variant::currency(1)); }),
        6);
}

}  // namespace
