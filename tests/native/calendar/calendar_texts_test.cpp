// Weekday and month names, spelled dates and today's date. The weekday of every day of
// the Shamsi years 1200 to 1500 is checked against ICU in the oracle test.
#include "calendar/calendar_texts.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "calendar/date_conversion.h"
#include "numbers/spell_number.h"
#include "typed_names.h"

namespace pelikar::calendar {
namespace {

using test::Nivo;

TEST(DayOfWeek, NamesTheWeekdayOfAValidDateOnly) {
  EXPECT_EQ(DayOfWeek(" 1403/01/05 "), Nivo("~d;akfi~")) << "trimmed like the conversion";
  for (const char* rejected : {"1370/13/01", "1404/12/30", ""})
    EXPECT_EQ(DayOfWeek(rejected), "") << rejected;
}

// The month field is read by position, leniently, and shown as it is when it names no month.
TEST(MonthOfYear, NamesTheMonthOrShowsTheField) {
  const struct {
    const char* input;
    const char* typedExpected;  // keyboard-typed; the routine gives its Nivo form
  } cases[] = {
      {"1370/10/11", "~nd~"},
      {"1370/01/11", "~tv,vndk~"},
      {"1370/12/11", "~hstkn~"},
      {"1370/13/01", "13"},
      {"1370/-1/11", "-1"},
      {"1370/.5/11", ".5"},         // a half rounds to the even zero
      {"1370/.6/11", "~tv,vndk~"},  // more than a half rounds up
      {" 1370/10/11", "/1"},        // not trimmed, so a blank shifts the field
      {"1370/1/11", "~tv,vndk~"},   // the number the field begins with
      {"1370/ 9/11", "~Hbv~"},
      {"1404/12/31", "~hstkn~"},  // the date is not checked
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(MonthOfYear(c.input), Nivo(c.typedExpected)) << c.input;
}

TEST(SpellDate, SpellsTheLastTwoYearDigitsTheMonthAndTheDay) {
  const struct {
    const char* input;
    double year;
    const char* typedMonth;
    double day;
  } cases[] = {
      {"   1370/10/11 ", 70, "~nd~", 11},  // trimmed, unlike MonthOfYear
      {"13.5/10/11", 0, "~nd~", 11},       // the year's half rounds to even
      {"1370/01/5x", 70, "~tv,vndk~", 5},  // the number the day field begins with
      {"1370/10/5", 70, "~nd~", 5},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SpellDate(c.input),
              numbers::SpellNum(c.year) + ' ' + Nivo(c.typedMonth) + ' ' + numbers::SpellNum(c.day))
        << c.input;
  }
  EXPECT_EQ(SpellDate(""), "ZERO  ZERO");
}

CodeString SystemDateOn(CivilDate today) {
  return SystemDate([today] { return today; });
}

// Today in the Shamsi calendar is what the conversion gives for today's Miladi date.
TEST(SystemDate, IsTheShamsiDateOfEveryDayFrom1901To2100) {
  using namespace std::chrono;
  for (sys_days day = sys_days{1901y / January / 1}; day <= sys_days{2100y / December / 31};
       day += days{1}) {
    const year_month_day date{day};
    const CivilDate today{int(date.year()), int(unsigned(date.month())), int(unsigned(date.day()))};
    char miladi[40];
    std::snprintf(miladi, sizeof miladi, "%02d/%02d/%d", today.day, today.month, today.year);
    if (SystemDateOn(today) != Miladi_To_Shamsi(miladi) || SystemDateOn(today).size() != 10) {
      ADD_FAILURE() << miladi << " gives " << SystemDateOn(today);
      return;
    }
  }
  EXPECT_EQ(SystemDateOn({2100, 12, 31}), "1479/10/10");
  EXPECT_EQ(SystemDateOn({2101, 1, 1}), "");
  EXPECT_EQ(SystemDateOn({2023, 2, 29}), "");
}

TEST(SystemDate, IsEmptyWhenTheClockFails) {
  EXPECT_EQ(SystemDate([]() -> CivilDate { throw std::runtime_error("no clock"); }), "");
}

}  // namespace
}  // namespace pelikar::calendar
