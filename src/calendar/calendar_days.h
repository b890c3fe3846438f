#pragma once
// The two calendars as day counts. Every date of either calendar has one day number,
// so a conversion is a day number taken from one calendar and read in the other, and
// the two directions are exact inverses. The Gregorian calendar is proleptic: its
// leap rule applies before 1582 too. Shamsi years follow the 33-year arithmetic rule.
#include <cstdint>

namespace pelikar::calendar {

struct ShamsiDate {
  int year;
  int month;
  int day;
  friend bool operator==(const ShamsiDate&, const ShamsiDate&) = default;
};

struct MiladiDate {
  int year;
  int month;
  int day;
  friend bool operator==(const MiladiDate&, const MiladiDate&) = default;
};

// Days since 1 January of the Gregorian year 1 (that day is 0, and a Monday).
using DayNumber = std::int64_t;

// The length of a month 1-12 of the given year.
int ShamsiMonthLength(int year, int month);
int MiladiMonthLength(int year, int month);

// The date must be a real one: month 1-12, day within its month.
DayNumber DayNumberOf(ShamsiDate date);
DayNumber DayNumberOf(MiladiDate date);

ShamsiDate ShamsiDateOf(DayNumber day);
MiladiDate MiladiDateOf(DayNumber day);

// The weekday with Sunday as 1 and Saturday as 7.
int WeekdayOf(DayNumber day);

}  // namespace pelikar::calendar
