// The day counts of both calendars over every day of the Miladi years 1 to 2100: the
// Gregorian side against the standard library's calendar, the Shamsi side by its
// 33-year cycle (the oracle test checks the years 1200 to 1500 day by day; the cycle
// carries that to every earlier year).
#include "calendar/calendar_days.h"

#include <gtest/gtest.h>

#include <chrono>

#include "calendar/date_strings.h"

namespace pelikar::calendar {
namespace {

using namespace std::chrono;

constexpr sys_days kFirstDay{1y / January / 1};
constexpr sys_days kLastDay{2100y / December / 31};
constexpr DayNumber kLastDayNumber = (kLastDay - kFirstDay).count();

MiladiDate ToMiladi(const year_month_day& date) {
  return {int(date.year()), int(unsigned(date.month())), int(unsigned(date.day()))};
}

TEST(CalendarDays, MiladiDaysAreTheGregorianDaysOfTheStandardLibrary) {
  for (DayNumber day = 0; day <= kLastDayNumber; ++day) {
    const MiladiDate expected = ToMiladi(year_month_day{kFirstDay + days{day}});
    const MiladiDate date = MiladiDateOf(day);
    if (date != expected || DayNumberOf(date) != day) {
      FAIL() << "day " << day << " is " << date.year << '-' << date.month << '-' << date.day;
    }
  }
}

// 33 Shamsi years last 12053 days: the day 12053 days later has the same month and
// day 33 years on. Each day also turns back into its day number.
TEST(CalendarDays, ShamsiDaysTurnBackAndRepeatEvery33Years) {
  constexpr DayNumber kCycleDays = 12053;
  for (DayNumber day = 0; day <= kLastDayNumber; ++day) {
    const ShamsiDate date = ShamsiDateOf(day);
    const ShamsiDate cycleLater = ShamsiDateOf(day + kCycleDays);
    if (DayNumberOf(date) != day ||
        cycleLater != ShamsiDate{date.year + 33, date.month, date.day}) {
      FAIL() << "day " << day << " is " << date.year << '/' << date.month << '/' << date.day
             << ", 12053 later " << cycleLater.year << '/' << cycleLater.month << '/'
             << cycleLater.day;
    }
  }
}

TEST(DateAcceptance, AcceptsExactlyTheRealGregorianDatesOfTheYears1To2100) {
  for (int y = 0; y <= 2101; ++y) {
    for (unsigned m = 0; m <= 13; ++m) {
      for (unsigned d = 0; d <= 32; ++d) {
        const year_month_day date{year{y}, month{m}, day{d}};
        const bool real = date.ok() && y >= 1 && y <= 2100;
        if (IsAccepted(MiladiDate{y, int(m), int(d)}) != real) FAIL() << y << '-' << m << '-' << d;
      }
    }
  }
}

}  // namespace
}  // namespace pelikar::calendar
