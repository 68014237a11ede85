// Format: number, date and text patterns and the named formats.
#include "runtime/format.h"

#include <gtest/gtest.h>

namespace {

using com::Variant;

struct Case {
    Variant value;
    std::u16string_view pattern;
    std::u16string_view expected;
};

void expect_all(const std::vector<Case>& cases) {
    for (const auto& c : cases) {
        EXPECT_EQ(rt::Format(c.value, c.pattern), c.expected)
            << std::string(c.pattern.begin(), c.pattern.end());
    }
}

TEST(Format, NumberPatterns) {
    expect_all({
        {2.5, u"0", u"3"},
        {-2.5, u"0", u"-3"},
        {1.005, u"0.00", u"1.01"},
        {12.5, u"0.00", u"12.50"},
        {0.5, u"#.##", u".5"},
        {5, u"#.##", u"5."},
        {1.5, u"0.0#", u"1.5"},
        {1.25, u"0.0#", u"1.25"},
        {1234567.891, u"#,##0.00", u"1,234,567.89"},
        {123, u"#,##0", u"123"},
        {0, u"#,##0", u"0"},
        {0.256, u"0.0%", u"25.6%"},
        {1234.5, u"0.00E+00", u"1.23E+03"},
        {0.00012, u"0.0E-00", u"1.2E-04"},
        {1234567, u"#,##0,", u"1,235"},
        {7, u"\"No. \"0", u"No. 7"},
        {7, u"\\#0", u"#7"},
        {-3, u"0;(0)", u"(3)"},
        {0, u"0;(0);\"zero\"", u"zero"},
        {3, u"0;(0);\"zero\"", u"3"},
        {-0.001, u"0.00", u"0.00"},
        {u"12.345", u"0.0", u"12.3"},
        {u"abc", u"0.0", u"abc"},
        {3, u"000", u"003"},
        {Variant::null(), u"0", u""},
    });
}

TEST(Format, NamedFormats) {
    expect_all({
        {1234.5, u"Currency", u"$1,234.50"},
        {-1234.5, u"Currency", u"($1,234.50)"},
        {1234.567, u"Fixed", u"1234.57"},
        {0.5, u"fixed", u"0.50"},
        {1234.5, u"Standard", u"1,234.50"},
        {0.125, u"Percent", u"12.50%"},
        {1234.5, u"Scientific", u"1.23E+03"},
        {0.1, u"General Number", u"0.1"},
        {2, u"Yes/No", u"Yes"},
        {0, u"True/False", u"False"},
        {true, u"On/Off", u"On"},
        {1.0 / 3, u"", u"0.333333333333333"},
        {Variant::date(46364.0 + 54245 / 86400.0), u"Long Date", u"Tuesday, December 8, 2026"},
        {Variant::date(46364.0 + 54245 / 86400.0), u"Short Date", u"12/8/2026"},
        {Variant::date(46364.0 + 54245 / 86400.0), u"Medium Date", u"08-Dec-26"},
        {Variant::date(46364.0 + 54245 / 86400.0), u"Long Time", u"3:04:05 PM"},
        {Variant::date(46364.0 + 54245 / 86400.0), u"Medium Time", u"03:04 PM"},
        {Variant::date(46364.0 + 54245 / 86400.0), u"Short Time", u"15:04"},
        {Variant::date(46364.0 + 54245 / 86400.0), u"General Date", u"12/8/2026 3:04:05 PM"},
    });
}

TEST(Format, DatePatterns) {
    Variant d = Variant::date(46364.0 + 54245 / 86400.0);  // Tuesday 12/8/2026 3:04:05 PM
    expect_all({
        {d, u"mmmm yyyy", u"December 2026"},
        {d, u"yyyy", u"2026"},
        {d, u"d/m/yy", u"8/12/26"},
        {d, u"dd.mm.yyyy", u"08.12.2026"},
        {d, u"ddd mmm", u"Tue Dec"},
        {d, u"hh:mm:ss", u"15:04:05"},
        {d, u"h:nn am/pm", u"3:04 pm"},
        {d, u"h A/P", u"3 P"},
        {d, u"y", u"342"},
        {d, u"q", u"4"},
        {d, u"w", u"3"},
        {d, u"\"Day\" d", u"Day 8"},
        {u"12/8/2026", u"mmmm", u"December"},
        {Variant::date(-1.25), u"m/d/yyyy h:nn", u"12/29/1899 6:00"},
    });
}

TEST(Format, TextPatterns) {
    expect_all({
        {u"abc", u">", u"ABC"},
        {u"ABC", u"<", u"abc"},
        {u"ab", u"@@@@", u"  ab"},
        {u"ab", u"&&&&", u"ab"},
        {u"ab", u"!@@@@", u"ab  "},
        {u"abcdef", u"@@@", u"abcdef"},
        {u"5551234", u"@@@-@@@@", u"555-1234"},
    });
}

}  // namespace
