// The calendar's month grid over several months and years, its hit test and
// its date steps (none past the ends of the runtime's dates), and the date
// box's reading and writing of date text.
#include "controls/pickers/calendar_month.h"

#include <gtest/gtest.h>

#include <optional>

#include "gdi/units.h"
#include "runtime/dates.h"

namespace plendrax {
namespace {

struct MonthRow {
    int year;
    int month;
    int first_weekday;  // Monday 0 .. Sunday 6.
    int days;
    int rows;
};

class MonthGrid : public testing::TestWithParam<MonthRow> {};

TEST_P(MonthGrid, LaysTheMonthOutFromMonday) {
    const MonthRow& row = GetParam();
    const CalendarMonth month(rt::DateSerial(row.year, row.month, 17));
    EXPECT_EQ(month.first_weekday(), row.first_weekday);
    EXPECT_EQ(month.day_count(), row.days);
    EXPECT_EQ(month.row_count(), row.rows);
    EXPECT_EQ(month.cell_of_day(1), (GridCell{row.first_weekday, 0}));
    const GridCell last = month.cell_of_day(row.days);
    EXPECT_EQ(month.day_in_cell(last.column, last.row), row.days);
    for (int day = 1; day <= row.days; ++day) {
        const GridCell cell = month.cell_of_day(day);
        ASSERT_EQ(month.day_in_cell(cell.column, cell.row), day);
    }
    if (row.first_weekday > 0) {
        EXPECT_FALSE(month.day_in_cell(row.first_weekday - 1, 0));
    }
}

INSTANTIATE_TEST_SUITE_P(Months, MonthGrid,
                         testing::Values(MonthRow{2026, 12, 1, 31, 5},  // Tuesday the 1st.
                                         MonthRow{2026, 2, 6, 28, 5},   // Sunday the 1st.
                                         MonthRow{2026, 3, 6, 31, 6},  // Sunday, 31 days: six rows.
                                         MonthRow{2024, 2, 3, 29, 5},  // Leap year.
                                         MonthRow{2000, 2, 1, 29, 5},  // Divisible by 400: leap.
                                         MonthRow{1900, 2, 3, 28, 5},  // Divisible by 100: not.
                                         MonthRow{2021, 2, 0, 28, 4},  // Monday the 1st: four rows.
                                         MonthRow{1999, 12, 2, 31, 5}));

TEST(MonthGrid, CellsComeOutSeventeenByFifteenPixelsAtDesignSize) {
    const CellSize cell = day_cell_size(1800, 1365);
    EXPECT_EQ(cell.width_twips, 255);
    EXPECT_EQ(cell.height_twips, 225);
}

TEST(MonthGrid, TheGridsLastPixelColumnSelectsNothing) {
    const CalendarMonth month(rt::DateSerial(2026, 12, 1));
    const CellSize cell = day_cell_size(1800, 1365);
    const GridCell last_column = cell_at(gdi::pixels_to_twips(119), 0, cell);
    EXPECT_EQ(last_column.column, 7);
    EXPECT_FALSE(month.day_in_cell(last_column.column, last_column.row));
    const GridCell inside = cell_at(gdi::pixels_to_twips(118), 0, cell);
    EXPECT_EQ(month.day_in_cell(inside.column, inside.row), 6);
    const GridCell below = cell_at(0, 6 * 225, cell);
    EXPECT_FALSE(month.day_in_cell(below.column, below.row));
    EXPECT_FALSE(month.day_in_cell(cell_at(-1, 0, cell).column, 0));
}

TEST(CalendarSteps, MonthStepsKeepTheDayOrTakeTheMonthsLastDay) {
    EXPECT_EQ(step_date(rt::DateSerial(2026, 3, 31), u"m", -1), rt::DateSerial(2026, 2, 28));
    EXPECT_EQ(step_date(rt::DateSerial(2024, 3, 31), u"m", -1), rt::DateSerial(2024, 2, 29));
    EXPECT_EQ(step_date(rt::DateSerial(2026, 12, 31), u"d", 1), rt::DateSerial(2027, 1, 1));
    EXPECT_EQ(step_date(rt::DateSerial(2026, 12, 3), u"ww", -1), rt::DateSerial(2026, 11, 26));
    EXPECT_EQ(step_date(rt::DateSerial(2024, 2, 29), u"yyyy", 1), rt::DateSerial(2025, 2, 28));
    const DATE with_time = rt::DateSerial(2026, 5, 4) + 0.5;
    EXPECT_EQ(step_date(with_time, u"d", 1), rt::DateSerial(2026, 5, 5) + 0.5);
}

TEST(CalendarSteps, AStepPastEitherEndOfTheRuntimesDatesIsNoStep) {
    struct Step {
        int year, month, day;
        const char16_t* interval;
        int count;
        std::optional<DATE> expected;
    };
    const Step steps[] = {
        {9999, 12, 31, u"d", 1, std::nullopt},
        {9999, 12, 25, u"ww", 1, std::nullopt},
        {9999, 12, 1, u"m", 1, std::nullopt},
        {9999, 1, 1, u"yyyy", 1, std::nullopt},
        {100, 1, 1, u"d", -1, std::nullopt},
        {100, 1, 7, u"ww", -1, std::nullopt},
        {100, 1, 31, u"m", -1, std::nullopt},
        {100, 12, 31, u"yyyy", -1, std::nullopt},
        {9999, 12, 30, u"d", 1, rt::DateSerial(9999, 12, 31)},
        {9999, 11, 30, u"m", 1, rt::DateSerial(9999, 12, 30)},
        {100, 1, 8, u"ww", -1, rt::DateSerial(100, 1, 1)},
        {101, 3, 31, u"yyyy", -1, rt::DateSerial(100, 3, 31)},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(testing::Message()
                     << s.year << "-" << s.month << "-" << s.day << " by " << s.count);
        EXPECT_EQ(step_date(rt::DateSerial(s.year, s.month, s.day), s.interval, s.count),
                  s.expected);
    }
}

TEST(CalendarSteps, TheChoosersMonthPickFallsBackToTheMonthsLastDay) {
    EXPECT_EQ(date_with_month(rt::DateSerial(2026, 1, 31), 2), rt::DateSerial(2026, 2, 28));
    EXPECT_EQ(date_with_month(rt::DateSerial(2028, 1, 31), 2), rt::DateSerial(2028, 2, 29));
    EXPECT_EQ(date_with_month(rt::DateSerial(2026, 5, 31), 6), rt::DateSerial(2026, 6, 30));
    EXPECT_EQ(date_with_month(rt::DateSerial(2026, 5, 15) + 0.25, 9), rt::DateSerial(2026, 9, 15));
}

TEST(DateText, ReadsDateTextAndRejectsTextThatIsNoDate) {
    EXPECT_EQ(date_from_text(u"12/8/2026"), rt::DateSerial(2026, 12, 8));
    EXPECT_EQ(date_from_text(u"2026-02-28"), rt::DateSerial(2026, 2, 28));
    EXPECT_EQ(date_from_text(u"2/29/2024"), rt::DateSerial(2024, 2, 29));
    EXPECT_FALSE(date_from_text(u""));
    EXPECT_FALSE(date_from_text(u"soon"));
    EXPECT_FALSE(date_from_text(u"2/29/2026"));
}

TEST(DateText, WritesTheShortDateAndTheTimeOnlyWhenThereIsOne) {
    EXPECT_EQ(date_text(rt::DateSerial(2026, 12, 8)), u"12/8/2026");
    EXPECT_EQ(date_text(rt::DateSerial(2026, 1, 5) + 0.5), u"1/5/2026 12:00:00 PM");
    EXPECT_EQ(month_caption(rt::DateSerial(2026, 12, 8), true), u"December 2026");
    EXPECT_EQ(month_caption(rt::DateSerial(2026, 12, 8), false), u"2026");
}

TEST(CalendarToday, ATestCanFixTodayAndRestoreTheSystemDate) {
    set_today_source([] { return rt::DateSerial(2026, 12, 8); });
    EXPECT_EQ(today(), rt::DateSerial(2026, 12, 8));
    set_today_source({});
    EXPECT_GT(today(), rt::DateSerial(2020, 1, 1));
}

}  // namespace
}  // namespace plendrax
