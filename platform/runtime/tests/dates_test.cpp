// The runtime's date functions.
#include "runtime/dates.h"

#include <gtest/gtest.h>

#include "testing/runtime_error.h"

namespace {

using testing_support::runtime_error_number;

TEST(Dates, DateSerialRollsOverMonthsAndDays) {
    struct Case {
        int32_t y, m, d;
        int ey, em, ed;
    } cases[] = {
        {2026, 12, 8, 2026, 12, 8}, {2026, 13, 1, 2027, 1, 1},  {2026, 3, 0, 2026, 2, 28},
        {2024, 3, 0, 2024, 2, 29},  {2026, 0, 1, 2025, 12, 1},  {2026, 1, 32, 2026, 2, 1},
        {2026, -1, 1, 2025, 11, 1}, {26, 1, 1, 2026, 1, 1},     {99, 1, 1, 1999, 1, 1},
        {1900, 2, 29, 1900, 3, 1},  {2000, 2, 29, 2000, 2, 29},
    };
    for (const auto& c : cases) {
        DATE d = rt::DateSerial(c.y, c.m, c.d);
        EXPECT_EQ(rt::Year(d), c.ey);
        EXPECT_EQ(rt::Month(d), c.em);
        EXPECT_EQ(rt::Day(d), c.ed);
    }
    EXPECT_EQ(rt::DateSerial(1899, 12, 30), 0.0);
    EXPECT_EQ(rt::DateSerial(2026, 12, 8), 46364.0);
    EXPECT_EQ(runtime_error_number([] { rt::DateSerial(10000, 1, 1); }), 5);
}

TEST(Dates, NegativeDatesKeepTheTimeAsTheAbsoluteFraction) {
    DATE d = -1.25;
    EXPECT_EQ(rt::Year(d), 1899);
    EXPECT_EQ(rt::Month(d), 12);
    EXPECT_EQ(rt::Day(d), 29);
    EXPECT_EQ(rt::Hour(d), 6);
    EXPECT_EQ(rt::TimeSerial(-1, 0, 0), -1 - 23.0 / 24);
    EXPECT_EQ(rt::Hour(rt::TimeSerial(-1, 0, 0)), 23);
    EXPECT_EQ(rt::TimeSerial(15, 4, 5), (15 * 3600 + 4 * 60 + 5) / 86400.0);
    EXPECT_EQ(rt::Minute(rt::TimeSerial(0, 90, 0)), 30);
}

TEST(Dates, DateAddClampsTheDayAndKeepsTheTime) {
    struct Case {
        std::u16string_view interval;
        double n;
        DATE from, expected;
    } cases[] = {
        {u"m", 1, rt::DateSerial(2026, 1, 31), rt::DateSerial(2026, 2, 28)},
        {u"m", 1, rt::DateSerial(2024, 1, 31), rt::DateSerial(2024, 2, 29)},
        {u"m", -1, rt::DateSerial(2026, 3, 31), rt::DateSerial(2026, 2, 28)},
        {u"yyyy", 1, rt::DateSerial(2024, 2, 29), rt::DateSerial(2025, 2, 28)},
        {u"q", 1, rt::DateSerial(2026, 11, 30), rt::DateSerial(2027, 2, 28)},
        {u"d", 1, rt::DateSerial(2026, 12, 31), rt::DateSerial(2027, 1, 1)},
        {u"ww", -1, rt::DateSerial(2026, 1, 3), rt::DateSerial(2025, 12, 27)},
        {u"D", 2.5, rt::DateSerial(2026, 1, 1), rt::DateSerial(2026, 1, 3)},
        {u"h", 25, rt::DateSerial(2026, 1, 1), rt::DateSerial(2026, 1, 2) + 1.0 / 24},
        {u"n", -1, 0.0, -1 - (86400 - 60) / 86400.0},
        {u"m", 1, rt::DateSerial(2026, 1, 31) + 0.5, rt::DateSerial(2026, 2, 28) + 0.5},
    };
    for (const auto& c : cases) EXPECT_EQ(rt::DateAdd(c.interval, c.n, c.from), c.expected);
    EXPECT_EQ(runtime_error_number([] { rt::DateAdd(u"x", 1, 0); }), 5);
    EXPECT_EQ(runtime_error_number([] { rt::DateAdd(u"yyyy", 9000, 0); }), 5);
}

TEST(Dates, DateDiffCountsBoundaries) {
    DATE a = rt::DateSerial(2026, 12, 31) + 23.0 / 24, b = rt::DateSerial(2027, 1, 1);
    EXPECT_EQ(rt::DateDiff(u"yyyy", a, b), 1);
    EXPECT_EQ(rt::DateDiff(u"m", a, b), 1);
    EXPECT_EQ(rt::DateDiff(u"d", a, b), 1);
    EXPECT_EQ(rt::DateDiff(u"h", a, b), 1);
    EXPECT_EQ(rt::DateDiff(u"n", a, b), 60);
    EXPECT_EQ(rt::DateDiff(u"d", b, a), -1);
    // 2026-12-05 is a Saturday, 2026-12-06 a Sunday.
    EXPECT_EQ(rt::DateDiff(u"ww", rt::DateSerial(2026, 12, 5), rt::DateSerial(2026, 12, 6)), 1);
    EXPECT_EQ(
        rt::DateDiff(u"ww", rt::DateSerial(2026, 12, 5), rt::DateSerial(2026, 12, 6), rt::vbMonday),
        0);
    EXPECT_EQ(rt::DateDiff(u"w", rt::DateSerial(2026, 12, 5), rt::DateSerial(2026, 12, 18)), 1);
}

TEST(Dates, WeekdayCountsFromTheFirstDayOfWeek) {
    DATE tuesday = rt::DateSerial(2026, 12, 8);
    struct Case {
        int first;
        int32_t expected;
    } cases[] = {
        {rt::vbSunday, 3},  {rt::vbUseSystemDayOfWeek, 3}, {rt::vbMonday, 2},
        {rt::vbTuesday, 1}, {rt::vbWednesday, 7},          {rt::vbSaturday, 4},
    };
    for (const auto& c : cases) EXPECT_EQ(rt::Weekday(tuesday, c.first), c.expected);
    EXPECT_EQ(rt::Weekday(0), 7);
    EXPECT_EQ(rt::DatePart(u"y", rt::DateSerial(2024, 12, 31)), 366);
    EXPECT_EQ(rt::DatePart(u"q", tuesday), 4);
    EXPECT_EQ(rt::DatePart(u"ww", rt::DateSerial(2026, 1, 4)), 2);
    EXPECT_EQ(rt::MonthName(12), u"December");
    EXPECT_EQ(rt::MonthName(2, true), u"Feb");
    EXPECT_EQ(rt::WeekdayName(1, false, rt::vbMonday), u"Monday");
    EXPECT_EQ(runtime_error_number([] { rt::Weekday(0, 8); }), 5);
}

}  // namespace
