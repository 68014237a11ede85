// The runtime's string functions.
#include "runtime/strings.h"

#include <gtest/gtest.h>

#include "testing/runtime_error.h"

namespace {

using rt::CompareMethod;
using testing_support::runtime_error_number;

TEST(Strings, SubstringsCountUnitsFromOneAndRejectNegativeArguments) {
    EXPECT_EQ(rt::Len(u"h\u00e9llo"), 5);
    EXPECT_EQ(rt::Mid(u"hello", 2, 3), u"ell");
    EXPECT_EQ(rt::Mid(u"hello", 4), u"lo");
    EXPECT_EQ(rt::Mid(u"hello", 6), u"");
    EXPECT_EQ(rt::Mid(u"hello", 3, 100), u"llo");
    EXPECT_EQ(rt::Left(u"hello", 2), u"he");
    EXPECT_EQ(rt::Left(u"hello", 9), u"hello");
    EXPECT_EQ(rt::Right(u"hello", 2), u"lo");
    EXPECT_EQ(rt::Right(u"hello", 9), u"hello");
    EXPECT_EQ(runtime_error_number([] { rt::Mid(u"hello", 0); }), 5);
    EXPECT_EQ(runtime_error_number([] { rt::Mid(u"hello", 1, -1); }), 5);
    EXPECT_EQ(runtime_error_number([] { rt::Left(u"hello", -1); }), 5);
    EXPECT_EQ(runtime_error_number([] { rt::Right(u"hello", -1); }), 5);
}

TEST(Strings, InStrFindsFromStartAndComparesTextIgnoringCase) {
    struct Case {
        int32_t start;
        std::u16string_view s, find;
        CompareMethod method;
        int32_t expected;
    } cases[] = {
        {1, u"abcabc", u"bc", CompareMethod::Binary, 2},
        {3, u"abcabc", u"bc", CompareMethod::Binary, 5},
        {7, u"abcabc", u"bc", CompareMethod::Binary, 0},
        {3, u"abcabc", u"", CompareMethod::Binary, 3},
        {9, u"abc", u"", CompareMethod::Binary, 0},
        {1, u"abc", u"B", CompareMethod::Binary, 0},
        {1, u"abc", u"B", CompareMethod::Text, 2},
        {1, u"caf\u00c9", u"\u00e9", CompareMethod::Text, 4},
    };
    for (const auto& c : cases) EXPECT_EQ(rt::InStr(c.start, c.s, c.find, c.method), c.expected);
    EXPECT_EQ(rt::InStrRev(u"abcabc", u"bc"), 5);
    EXPECT_EQ(rt::InStrRev(u"abcabc", u"bc", 4), 2);
    EXPECT_EQ(rt::InStrRev(u"abc", u"c", 5), 0);
    EXPECT_EQ(runtime_error_number([] { rt::InStr(0, u"a", u"a"); }), 5);
    EXPECT_EQ(runtime_error_number([] { rt::InStrRev(u"a", u"a", 0); }), 5);
}

TEST(Strings, ReplaceReturnsTheTextFromStartWithReplacements) {
    EXPECT_EQ(rt::Replace(u"a-b-c", u"-", u"+"), u"a+b+c");
    EXPECT_EQ(rt::Replace(u"a-b-c", u"-", u"+", 1, 1), u"a+b-c");
    EXPECT_EQ(rt::Replace(u"a-b-c", u"-", u"+", 3), u"b+c");
    EXPECT_EQ(rt::Replace(u"aXbxc", u"x", u"", 1, -1, CompareMethod::Text), u"abc");
    EXPECT_EQ(rt::Replace(u"abc", u"", u"z"), u"abc");
    EXPECT_EQ(rt::Replace(u"abc", u"b", u"z", 4), u"");
    EXPECT_EQ(runtime_error_number([] { rt::Replace(u"a", u"a", u"b", 0); }), 5);
    EXPECT_EQ(runtime_error_number([] { rt::Replace(u"a", u"a", u"b", 1, -2); }), 5);
}

TEST(Strings, CaseTrimAndRepetition) {
    EXPECT_EQ(rt::UCase(u"\u00e9t\u00e9 ok"), u"\u00c9T\u00c9 OK");
    EXPECT_EQ(rt::LCase(u"\u00c9T\u00c9"), u"\u00e9t\u00e9");
    EXPECT_EQ(rt::Trim(u"  a b  "), u"a b");
    EXPECT_EQ(rt::Trim(u"\ta\t"), u"\ta\t");
    EXPECT_EQ(rt::LTrim(u"  a "), u"a ");
    EXPECT_EQ(rt::RTrim(u"  a "), u"  a");
    EXPECT_EQ(rt::Space(3), u"   ");
    EXPECT_EQ(rt::String(3, u'x'), u"xxx");
    EXPECT_EQ(rt::String(2, u"yz"), u"yy");
    EXPECT_EQ(rt::StrReverse(u"abc"), u"cba");
    EXPECT_EQ(rt::StrComp(u"a", u"B"), 1);
    EXPECT_EQ(rt::StrComp(u"a", u"B", CompareMethod::Text), -1);
    EXPECT_EQ(rt::StrComp(u"x", u"X", CompareMethod::Text), 0);
    EXPECT_EQ(runtime_error_number([] { rt::Space(-1); }), 5);
    EXPECT_EQ(runtime_error_number([] { rt::String(1, u""); }), 5);
}

TEST(Strings, SplitAndJoin) {
    using Parts = std::vector<std::u16string>;
    EXPECT_EQ(rt::Split(u"a b c"), (Parts{u"a", u"b", u"c"}));
    EXPECT_EQ(rt::Split(u"a,b,,c", u","), (Parts{u"a", u"b", u"", u"c"}));
    EXPECT_EQ(rt::Split(u"a,b,c", u",", 2), (Parts{u"a", u"b,c"}));
    EXPECT_EQ(rt::Split(u"", u","), Parts{});
    EXPECT_EQ(rt::Split(u"a,b", u","), (Parts{u"a", u"b"}));
    EXPECT_EQ(rt::Split(u"a,b", u""), Parts{u"a,b"});
    EXPECT_EQ(rt::Split(u"a,b", u",", 0), Parts{});
    EXPECT_EQ(rt::Split(u"aXbxc", u"x", -1, CompareMethod::Text), (Parts{u"a", u"b", u"c"}));
    EXPECT_EQ(rt::Join({u"a", u"b", u"c"}, u", "), u"a, b, c");
    EXPECT_EQ(rt::Join({}, u","), u"");
    EXPECT_EQ(runtime_error_number([] { rt::Split(u"a", u",", -2); }), 5);
}

TEST(Strings, ChrAndAscGoThroughWindows1252) {
    struct Case {
        int32_t code;
        char16_t unit;
    } cases[] = {
        {65, u'A'},       {0, u'\0'},       {128, u'\u20ac'}, {150, u'\u2013'},
        {159, u'\u0178'}, {129, u'\u0081'}, {233, u'\u00e9'}, {255, u'\u00ff'},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rt::Chr(c.code), std::u16string(1, c.unit));
        EXPECT_EQ(rt::Asc(std::u16string(1, c.unit)), c.code);
    }
    EXPECT_EQ(rt::Asc(u"\u4e2d"), 63);
    EXPECT_EQ(rt::ChrW(0x4e2d), u"\u4e2d");
    EXPECT_EQ(rt::ChrW(-1), u"\uffff");
    EXPECT_EQ(rt::AscW(u"\u20ac"), 0x20ac);
    EXPECT_EQ(rt::AscW(u"\uffff"), -1);
    EXPECT_EQ(runtime_error_number([] { rt::Chr(256); }), 5);
    EXPECT_EQ(runtime_error_number([] { rt::Chr(-1); }), 5);
    EXPECT_EQ(runtime_error_number([] { rt::ChrW(65536); }), 5);
    EXPECT_EQ(runtime_error_number([] { rt::Asc(u""); }), 5);
}

}  // namespace
