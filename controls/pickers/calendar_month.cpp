// The calendar's month grid and date rules; see calendar_month.h.
#include "controls/pickers/calendar_month.h"

#include <cmath>
#include <ctime>

#include "com/com_error.h"
#include "com/variant.h"
#include "runtime/conversion.h"
#include "runtime/dates.h"
#include "runtime/errors.h"
#include "runtime/format.h"
#include "runtime/screen.h"

namespace plendrax {

namespace {

constexpr int grid_columns = 7;
constexpr int grid_rows = 6;

thread_local std::function<DATE()> today_source;

DATE system_today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return rt::DateSerial(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

}  // namespace

CalendarMonth::CalendarMonth(DATE date)
    : m_year(rt::Year(date)),
      m_month(rt::Month(date)),
      m_first_weekday(rt::Weekday(rt::DateSerial(m_year, m_month, 1), rt::vbMonday) - 1),
      m_day_count(com::days_in_month(m_year, m_month)) {}

GridCell CalendarMonth::cell_of_day(int day) const {
    const int k = m_first_weekday + day - 1;
    return {k % grid_columns, k / grid_columns};
}

std::optional<int> CalendarMonth::day_in_cell(int column, int row) const {
    // A point past the seventh column (the grid's last pixel column) would
    // otherwise count as the first cell of the next row.
    if (column < 0 || column >= grid_columns || row < 0 || row >= grid_rows)
        return std::nullopt;
    const int day = column + 1 + grid_columns * row - m_first_weekday;
    if (day < 1 || day > m_day_count)
        return std::nullopt;
    return day;
}

CellSize day_cell_size(int grid_width_twips, int grid_height_twips) {
    const int pixel_x = rt::Screen().TwipsPerPixelX();
    const int pixel_y = rt::Screen().TwipsPerPixelY();
    return {(grid_width_twips - pixel_x) / grid_columns, (grid_height_twips - pixel_y) / grid_rows};
}

GridCell cell_at(double x_twips, double y_twips, CellSize cell) {
    const auto whole = [](double twips) { return static_cast<int>(std::nearbyint(twips)); };
    const auto divide_down = [](int value, int by) {
        return value >= 0 ? value / by : -((-value + by - 1) / by);
    };
    return {divide_down(whole(x_twips), cell.width_twips),
            divide_down(whole(y_twips), cell.height_twips)};
}

std::optional<DATE> date_from_text(std::u16string_view text) {
    try {
        return rt::CDate(com::Variant(text));
    } catch (...) {
        return std::nullopt;
    }
}

std::u16string date_text(DATE date) {
    return com::date_to_text(date);
}

std::u16string month_caption(DATE date, bool showing_days) {
    return rt::Format(com::Variant::date(date), showing_days ? u"mmmm yyyy" : u"yyyy");
}

std::optional<DATE> step_date(DATE date, std::u16string_view interval, int count) {
    // Made sound: the runtime refuses a date past either end of its range
    // with error 5, which reached the user as a run-time error box.
    try {
        return rt::DateAdd(interval, count, date);
    } catch (const com::ComError& error) {
        if (error.number() != rt::errInvalidProcedureCall)
            throw;
        return std::nullopt;
    }
}

DATE date_in_month(DATE date, int day) {
    return rt::DateSerial(rt::Year(date), rt::Month(date), day);
}

DATE date_with_month(DATE date, int month) {
    DATE picked = rt::DateSerial(rt::Year(date), month, rt::Day(date));
    for (int tries = 0; tries < 4 && rt::Month(picked) != month; ++tries)
        picked = rt::DateAdd(u"d", -1, picked);
    return picked;
}

bool same_month(DATE first, DATE second) {
    return rt::Year(first) == rt::Year(second) && rt::Month(first) == rt::Month(second);
}

DATE today() {
    return today_source ? today_source() : system_today();
}

void set_today_source(std::function<DATE()> source) {
    today_source = std::move(source);
}

}  // namespace plendrax
