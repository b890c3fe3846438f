#include "calendar/calendar_days.h"

#include <array>

namespace pelikar::calendar {
namespace {

using MonthTable = std::array<int, 12>;

constexpr MonthTable MiladiMonthDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr MonthTable MiladiLeapMonthDays = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr MonthTable ShamsiMonthDays = {31, 31, 31, 31, 31, 31, 30, 30, 30, 30, 30, 29};
constexpr MonthTable ShamsiLeapMonthDays = {31, 31, 31, 31, 31, 31, 30, 30, 30, 30, 30, 30};

// Division and remainder rounded toward minus infinity, so that the leap rules and
// day counts hold unchanged for the years before 1 and the days before day 0.
constexpr std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}
constexpr std::int64_t FloorMod(std::int64_t a, std::int64_t b) { return a - FloorDiv(a, b) * b; }

constexpr bool MiladiLeap(std::int64_t year) {
  return FloorMod(year, 4) == 0 && (FloorMod(year, 100) != 0 || FloorMod(year, 400) == 0);
}

// 8 leap years in every 33: year y is leap when (25y + 11) mod 33 < 8.
constexpr bool ShamsiLeap(std::int64_t year) { return FloorMod(25 * year + 11, 33) < 8; }

constexpr const MonthTable& MiladiTable(std::int64_t year) {
  return MiladiLeap(year) ? MiladiLeapMonthDays : MiladiMonthDays;
}
constexpr const MonthTable& ShamsiTable(std::int64_t year) {
  return ShamsiLeap(year) ? ShamsiLeapMonthDays : ShamsiMonthDays;
}

constexpr int DaysBeforeMonth(const MonthTable& table, int month) {
  int days = 0;
  for (int m = 1; m < month; ++m) days += table[m - 1];
  return days;
}

// Days from 1 January of the year 1 to 1 January of the given year: 365 a year plus
// one for every fourth year, less the centuries, plus every fourth century.
constexpr DayNumber DaysBeforeMiladiYear(std::int64_t year) {
  const std::int64_t past = year - 1;
  return 365 * past + FloorDiv(past, 4) - FloorDiv(past, 100) + FloorDiv(past, 400);
}

constexpr DayNumber MiladiDayNumber(std::int64_t year, int month, int day) {
  return DaysBeforeMiladiYear(year) + DaysBeforeMonth(MiladiTable(year), month) + day - 1;
}

// Days from 1 Farvardin of the year 1 to 1 Farvardin of the given year. The number of
// leap years before year y is floor((8y + 21) / 33): as 25 = -8 (mod 33), the rule
// "(25y + 11) mod 33 < 8" is the same as "(8y + 21) mod 33 >= 25", which is exactly
// when floor((8y + 21) / 33) grows by one from y to y + 1; and it is 0 for y = 1.
constexpr DayNumber DaysBeforeShamsiYear(std::int64_t year) {
  return 365 * (year - 1) + FloorDiv(8 * year + 21, 33);
}

// The day number of 1 Farvardin of the year 1, fixed by a new year's day of our time:
// 1 Farvardin 1403 was 20 March 2024.
constexpr DayNumber kShamsiEpoch = MiladiDayNumber(2024, 3, 20) - DaysBeforeShamsiYear(1403);

constexpr DayNumber kDaysIn400MiladiYears = 146097;
constexpr DayNumber kDaysIn33ShamsiYears = 12053;

// The year that holds the day, from an estimate by the mean year length that is off
// by at most one; daysBeforeYear gives the first day of a year.
template <typename DaysBeforeYear>
std::int64_t YearOfDay(DayNumber day, std::int64_t estimate, DaysBeforeYear daysBeforeYear) {
  std::int64_t year = estimate;
  while (daysBeforeYear(year) > day) --year;
  while (daysBeforeYear(year + 1) <= day) ++year;
  return year;
}

// Splits a day of the year (0 = the first) into month and day of month.
template <typename Date>
Date SplitDayOfYear(int year, const MonthTable& table, DayNumber dayOfYear) {
  int month = 1;
  while (month < 12 && dayOfYear >= table[month - 1]) dayOfYear -= table[month++ - 1];
  return Date{year, month, static_cast<int>(dayOfYear) + 1};
}

}  // namespace

int ShamsiMonthLength(int year, int month) { return ShamsiTable(year)[month - 1]; }
int MiladiMonthLength(int year, int month) { return MiladiTable(year)[month - 1]; }

DayNumber DayNumberOf(MiladiDate date) { return MiladiDayNumber(date.year, date.month, date.day); }

DayNumber DayNumberOf(ShamsiDate date) {
  return kShamsiEpoch + DaysBeforeShamsiYear(date.year) +
         DaysBeforeMonth(ShamsiTable(date.year), date.month) + date.day - 1;
}

MiladiDate MiladiDateOf(DayNumber day) {
  const std::int64_t year = YearOfDay(day, FloorDiv(400 * day, kDaysIn400MiladiYears) + 1,
                                      DaysBeforeMiladiYear);
  return SplitDayOfYear<MiladiDate>(static_cast<int>(year), MiladiTable(year),
                                    day - DaysBeforeMiladiYear(year));
}

ShamsiDate ShamsiDateOf(DayNumber day) {
  const DayNumber sinceEpoch = day - kShamsiEpoch;
  const std::int64_t year = YearOfDay(sinceEpoch, FloorDiv(33 * sinceEpoch, kDaysIn33ShamsiYears) + 1,
                                      DaysBeforeShamsiYear);
  return SplitDayOfYear<ShamsiDate>(static_cast<int>(year), ShamsiTable(year),
                                    sinceEpoch - DaysBeforeShamsiYear(year));
}

int WeekdayOf(DayNumber day) {
  // Day 0 was a Monday, weekday 2.
  return static_cast<int>(FloorMod(day + 1, 7)) + 1;
}

}  // namespace pelikar::calendar
