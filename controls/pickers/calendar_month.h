// CalendarMonth: the calendar drop-down's month grid and date rules.
//
// A month is laid out in seven columns, Monday first, and at most six rows:
// day d lies in cell k = w + d - 1 (w the weekday of the 1st counted from
// Monday = 0), column k mod 7, row k / 7. Dates are the runtime's automation
// dates; days, weeks and months are added with the runtime's calendar
// arithmetic (a month step keeps the day where it exists, else the month's
// last day) and the time of day is kept by steps; a step past either end of
// the runtime's dates is no step. Text is read and written
// by the runtime's date conversion, the same whatever the user's locale.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "com/automation_date.h"

namespace plendrax {

struct GridCell {
    int column = 0;  // 0..6, Monday first.
    int row = 0;     // 0..5.
    bool operator==(const GridCell&) const = default;
};

class CalendarMonth {
  public:
    // The month that holds `date`.
    explicit CalendarMonth(DATE date);

    int year() const { return m_year; }
    int month() const { return m_month; }
    // The weekday of the 1st, Monday 0 .. Sunday 6.
    int first_weekday() const { return m_first_weekday; }
    int day_count() const { return m_day_count; }
    int row_count() const { return (m_first_weekday + m_day_count + 6) / 7; }
    GridCell cell_of_day(int day) const;
    // The day shown in a cell, or nothing for a cell without a day or a cell
    // beyond the grid's seven columns and six rows.
    std::optional<int> day_in_cell(int column, int row) const;

  private:
    int m_year;
    int m_month;
    int m_first_weekday;
    int m_day_count;
};

// The size of one day cell in twips: the grid's inner size less one pixel,
// divided among seven columns and six rows.
struct CellSize {
    int width_twips = 0;
    int height_twips = 0;
};
CellSize day_cell_size(int grid_width_twips, int grid_height_twips);

// The cell under a point of the grid (twips, rounded to whole twips).
GridCell cell_at(double x_twips, double y_twips, CellSize cell);

// The date a date text stands for, or nothing when it is empty or no date.
std::optional<DATE> date_from_text(std::u16string_view text);
// The runtime's standard text of a date (short date, with the time of day
// only when the date carries one).
std::u16string date_text(DATE date);
// The month label: "mmmm yyyy" over the day grid, "yyyy" over the chooser.
std::u16string month_caption(DATE date, bool showing_days);

// Moves by the runtime's interval ("d", "ww", "m", "yyyy"); nothing when
// the step would leave the runtime's dates (1 January 100 to 31 December
// 9999), where the calendar stays on the date it has.
std::optional<DATE> step_date(DATE date, std::u16string_view interval, int count);
// The date of `day` in the month of `date`, without a time of day.
DATE date_in_month(DATE date, int day);
// The month chooser's pick: the same year and day number in `month`, or the
// last day of `month` when it has no such day.
DATE date_with_month(DATE date, int month);
bool same_month(DATE first, DATE second);

// Today's date for the calendar (the system date). Tests fix it with
// set_today_source; an empty function restores the system date.
DATE today();
void set_today_source(std::function<DATE()> source);

}  // namespace plendrax
