// The calendar: day counts, date strings and their conversion, the calendar's texts,
// and the leading number its fields are read with.
#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <utility>

#include "calendar/calendar_days.h"
#include "calendar/calendar_texts.h"
#include "calendar/date_conversion.h"
#include "calendar/date_strings.h"
#include "common/leading_number.h"
#include "common/run_time_error.h"
#include "numbers/spell_number.h"
#include "../test_support.h"
#include "typed_names.h"

namespace pelikar::calendar {
namespace {

// The Miladi day counts over every day of the years 1 to 2100, against the standard
// library's calendar. (The Shamsi side is checked against ICU, years 1200 to 1500.)
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

// The date strings and their conversion: the forms read and refused, and the limits.
// Every real day of the Shamsi years 1200 to 1500, and the day after the last of every
// month, are checked against ICU in the oracle test (leap days and the last day
// accepted among them); these cases hold the rest.
using Cases = std::pair<const char*, const char*>[];  // input, expected

// The fields stand at fixed places, so only the day at the end may be one digit; a
// digit may stand for a separator; blanks around are trimmed and text beyond ten
// characters is ignored.
TEST(ShamsiToMiladi, GivesTheMiladiStringOrNothing) {
  const Cases cases = {
      {"0001/01/01", "21/03/622"}, {"1501/01/01", ""},   {"0000/01/01", ""},  {"1370/00/10", ""},
      {"1370/13/01", ""},          {"1370/10/00", ""},   {"1370-10-11", ""},  {"1370/10 11", ""},
      {"1370/10/1x", ""},          {"1370/1/11", ""},    {"1370/10/", ""},    {"70/10/11", ""},
      {"", ""},                    {"   ", ""},         {"1370/10/5", "26/12/1991"},
      {"  1370/10/11  ", "01/01/1992"}, {"1370110111", "01/01/1992"}, {"1370/10/11 and so on", "01/01/1992"},
  };
  for (const auto& [input, expected] : cases) EXPECT_EQ(Shamsi_To_Miladi(input), expected) << '"' << input << '"';
}

// A short year is that year, not a year of this century, and gives a Shamsi year
// before the first.
TEST(MiladiToShamsi, GivesTheShamsiStringOrNothing) {
  const Cases cases = {
      {"01/01/2101", ""},  {"01/01/0000", ""}, {"01/00/1992", ""}, {"01/13/1992", ""}, {"00/01/1992", ""},
      {"01-01-1992", ""},  {"1/01/1992", ""},  {"01/01/19/2", ""}, {"", ""},           {"01/01/92", "-530/10/11"},
      {"01/01/9", "-613/10/11"}, {"01/01/0001", "-621/10/11"}, {" 01/01/1992   ", "1370/10/11"},
      {"0110111992", "1370/10/11"}, {"01/01/1992 12:00", "1370/10/11"},
  };
  for (const auto& [input, expected] : cases) EXPECT_EQ(Miladi_To_Shamsi(input), expected) << '"' << input << '"';
}

// Weekday and month names, spelled dates and today's date. The weekday of every day of
// the Shamsi years 1200 to 1500 is checked against ICU in the oracle test.
using test::Nivo;

TEST(DayOfWeek, NamesTheWeekdayOfAValidDateOnly) {
  EXPECT_EQ(DayOfWeek(" 1403/01/05 "), Nivo("~d;akfi~")) << "trimmed like the conversion";
  for (const char* rejected : {"1370/13/01", "1404/12/30", ""})
    EXPECT_EQ(DayOfWeek(rejected), "") << rejected;
}

// The month field is read by position, leniently, and shown as it is when it names no month.
TEST(MonthOfYear, NamesTheMonthOrShowsTheField) {
  // Keyboard-typed months; the routine gives their Nivo form. A half rounds to the even
  // zero, more than a half up; not trimmed, a blank shifts the field; the date is not
  // checked.
  const Cases cases = {
      {"1370/10/11", "~nd~"}, {"1370/01/11", "~tv,vndk~"}, {"1370/12/11", "~hstkn~"}, {"1370/13/01", "13"},
      {"1370/-1/11", "-1"},   {"1370/.5/11", ".5"},        {"1370/.6/11", "~tv,vndk~"}, {" 1370/10/11", "/1"},
      {"1370/1/11", "~tv,vndk~"}, {"1370/ 9/11", "~Hbv~"}, {"1404/12/31", "~hstkn~"}, {"", ""},
  };
  for (const auto& [input, typed] : cases) EXPECT_EQ(MonthOfYear(input), Nivo(typed)) << input;
}

TEST(SpellDate, SpellsTheLastTwoYearDigitsTheMonthAndTheDay) {
  // Trimmed, unlike MonthOfYear; the year's half rounds to even; the day is the number
  // its field begins with.
  const struct {
    const char* input;
    double year;
    const char* typedMonth;
    double day;
  } cases[] = {
      {"   1370/10/11 ", 70, "~nd~", 11}, {"13.5/10/11", 0, "~nd~", 11}, {"1370/01/5x", 70, "~tv,vndk~", 5}, {"1370/10/5", 70, "~nd~", 5},
  };
  for (const auto& c : cases) EXPECT_EQ(SpellDate(c.input), numbers::SpellNum(c.year) + ' ' + Nivo(c.typedMonth) + ' ' + numbers::SpellNum(c.day)) << c.input;
  EXPECT_EQ(SpellDate(""), "ZERO  ZERO");
}

// Today in the Shamsi calendar, as the conversion gives it for today's Miladi date;
// nothing when the clock fails or gives a day the conversion does not take.
TEST(SystemDate, IsTheShamsiDateOfToday) {
  const std::pair<CivilDate, const char*> cases[] = {
      {{1992, 1, 1}, "1370/10/11"}, {{2024, 3, 20}, "1403/01/01"}, {{1901, 1, 1}, "1279/10/11"},
      {{2100, 12, 31}, "1479/10/10"}, {{2101, 1, 1}, ""},          {{2023, 2, 29}, ""},
  };
  for (const auto& [today, shamsi] : cases) {
    EXPECT_EQ(SystemDate([today] { return today; }), shamsi) << today.year << '-' << today.month << '-' << today.day;
  }
  EXPECT_EQ(SystemDate([]() -> CivilDate { throw std::runtime_error("no clock"); }), "");
}

TEST(LeadingNumber, ReadsTheNumberTheTextBeginsWith) {
  // Blanks and tabs before the number and blanks inside it (even after the sign) are
  // passed over; a second point ends it, an exponent without digits is none, and there
  // is no hexadecimal. Beyond a double is an overflow.
  const std::pair<const char*, double> cases[] = {
      {"", 0},       {"abc", 0},   {"/5", 0},      {"12abc", 12},  {" \t 7x", 7}, {"1 2", 12},     {"- 3", -3},
      {"+4", 4},     {"-", 0},     {".5", 0.5},    {"5.", 5},      {"1.2.3", 1.2}, {"2D3", 2000},   {"25E-1", 2.5},
      {"1e", 1},     {"&H10", 0},  {"1e-400", 0},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(LeadingNumber(text), value) << '"' << text << '"';
  EXPECT_EQ(pelikar::test::ErrorNumberOf([] { LeadingNumber("1e400"); }), kOverflow);
}

}  // namespace
}  // namespace pelikar::calendar
