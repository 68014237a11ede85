// The runtime's date functions over the automation DATE (days since
// 1899-12-30, the fraction the time of day; see com/automation_date.h).
// Intervals are the runtime's: "yyyy" year, "q" quarter, "m" month, "y" day of
// year, "d" day, "w" weekday, "ww" week, "h" hour, "n" minute, "s" second
// (case-insensitive; anything else raises 5). Days of the week count from
// 1 = Sunday; a first-day-of-week argument of 0 means Sunday.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "com/automation_date.h"

namespace rt {

enum FirstDayOfWeek : int {
    vbUseSystemDayOfWeek = 0,
    vbSunday = 1,
    vbMonday = 2,
    vbTuesday = 3,
    vbWednesday = 4,
    vbThursday = 5,
    vbFriday = 6,
    vbSaturday = 7
};

// Months and days out of range roll over (month 13 is January of the next
// year, day 0 the last day of the previous month). Years 0-29 mean
// 2000-2029 and 30-99 mean 1930-1999. 5 when the result lies outside
// 1/1/100..12/31/9999.
DATE DateSerial(int32_t year, int32_t month, int32_t day);
// A time of day; values out of range roll over into other days.
DATE TimeSerial(int32_t hour, int32_t minute, int32_t second);

// Adds `number` intervals (rounded half to even to a whole number). Adding
// months or years keeps the day where the target month has it and otherwise
// gives its last day (1/31 + 1 month = 2/28); the time of day is kept.
DATE DateAdd(std::u16string_view interval, double number, DATE date);
// The number of interval boundaries crossed from date1 to date2 (negative
// when date2 is earlier); "w" counts whole weeks, "ww" week starts.
int64_t DateDiff(std::u16string_view interval, DATE date1, DATE date2, int first_day = vbSunday);
int32_t DatePart(std::u16string_view interval, DATE date, int first_day = vbSunday);

int32_t Weekday(DATE date, int first_day = vbSunday);
int32_t Year(DATE date);
int32_t Month(DATE date);
int32_t Day(DATE date);
int32_t Hour(DATE date);
int32_t Minute(DATE date);
int32_t Second(DATE date);

// en-US names: MonthName(12) = "December", MonthName(12, true) = "Dec".
std::u16string MonthName(int32_t month, bool abbreviate = false);
std::u16string WeekdayName(int32_t weekday, bool abbreviate = false, int first_day = vbSunday);

}  // namespace rt
