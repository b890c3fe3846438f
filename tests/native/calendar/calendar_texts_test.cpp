// Weekday and month names, spelled dates and today's date.
#include "calendar/calendar_texts.h"

#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <string>

#include "numbers/spell_number.h"
#include "typed_names.h"

namespace pelikar::calendar {
namespace {

using test::Nivo;

struct TextCase {
  const char* name;
  const char* input;
  const char* typedExpected;  // keyboard-typed; the routine gives its Nivo form
};

std::string CaseName(const testing::TestParamInfo<TextCase>& info) { return info.param.name; }

class DayOfWeekCases : public testing::TestWithParam<TextCase> {};
TEST_P(DayOfWeekCases, NamesTheWeekdayOfTheDate) {
  EXPECT_EQ(DayOfWeek(GetParam().input), Nivo(GetParam().typedExpected));
}

const TextCase kDayOfWeekCases[] = {
    {"FirstOfJanuary1992WasAWednesday", "1370/10/11", "~]ihvakfi~"},
    {"TrimmedLikeTheConversion", " 1403/01/05 ", "~d;akfi~"},
    {"Month13", "1370/13/01", ""},
    {"NoLeapDay1404", "1404/12/30", ""},
    {"Empty", "", ""},
};
INSTANTIATE_TEST_SUITE_P(Cases, DayOfWeekCases, testing::ValuesIn(kDayOfWeekCases), CaseName);

class MonthOfYearCases : public testing::TestWithParam<TextCase> {};
TEST_P(MonthOfYearCases, NamesTheMonthOrShowsTheField) {
  EXPECT_EQ(MonthOfYear(GetParam().input), Nivo(GetParam().typedExpected));
}

const TextCase kMonthOfYearCases[] = {
    {"TenthMonth", "1370/10/11", "~nd~"},
    {"FirstMonth", "1370/01/11", "~tv,vndk~"},
    {"TwelfthMonth", "1370/12/11", "~hstkn~"},
    {"Month13ShowsItsCharacters", "1370/13/01", "13"},
    {"Month0ShowsItsCharacters", "1370/00/01", "00"},
    {"NotTrimmedSoABlankShiftsTheField", " 1370/10/11", "/1"},
    {"LeadingNumberOfTheField", "1370/1/11", "~tv,vndk~"},
    {"LeadingBlankOfTheField", "1370/ 9/11", "~Hbv~"},
    {"NegativeField", "1370/-1/11", "-1"},
    {"HalfRoundsToEvenZero", "1370/.5/11", ".5"},
    {"MoreThanHalfRoundsUp", "1370/.6/11", "~tv,vndk~"},
    {"NoDateCheck", "1404/12/31", "~hstkn~"},
    {"Empty", "", ""},
};
INSTANTIATE_TEST_SUITE_P(Cases, MonthOfYearCases, testing::ValuesIn(kMonthOfYearCases), CaseName);

TEST(MonthOfYear, ShowsAnOutOfRangeFieldInVisualOrder) { EXPECT_EQ(MonthOfYear("1370/13/01"), "31"); }

TEST(DayOfWeek, NamesSevenDaysInARow) {
  // 1403/01/05 was a Sunday.
  for (int day = 5; day < 12; ++day) {
    const std::string date = "1403/01/" + std::string(day < 10 ? "0" : "") + std::to_string(day);
    EXPECT_EQ(DayOfWeek(date), Nivo(test::kTypedWeekdays[day - 5])) << date;
  }
}

struct SpellCase {
  const char* input;
  double year;
  const char* typedMonth;
  double day;
};

class SpellDateCases : public testing::TestWithParam<SpellCase> {};
TEST_P(SpellDateCases, SpellsTheLastTwoYearDigitsTheMonthAndTheDay) {
  const SpellCase& c = GetParam();
  EXPECT_EQ(SpellDate(c.input), numbers::SpellNum(c.year) + ' ' + Nivo(c.typedMonth) + ' ' + numbers::SpellNum(c.day))
      << c.input;
}

const SpellCase kSpellCases[] = {
    {"1370/10/11", 70, "~nd~", 11},
    {"   1370/10/11 ", 70, "~nd~", 11},  // trimmed, unlike MonthOfYear
    {"13.5/10/11", 0, "~nd~", 11},       // the year's half rounds to even
    {"1370/01/5x", 70, "~tv,vndk~", 5},  // the number the day field begins with
    {"1370/10/5", 70, "~nd~", 5},
};
INSTANTIATE_TEST_SUITE_P(Cases, SpellDateCases, testing::ValuesIn(kSpellCases));

TEST(SpellDate, OfNothingSpellsTwoZeros) { EXPECT_EQ(SpellDate(""), "ZERO  ZERO"); }

struct TodayCase {
  const char* name;
  CivilDate today;
  const char* expected;
};

class SystemDateCases : public testing::TestWithParam<TodayCase> {};
TEST_P(SystemDateCases, GivesTodayInTheShamsiCalendar) {
  const CivilDate today = GetParam().today;
  EXPECT_EQ(SystemDate([today] { return today; }), GetParam().expected);
}

const TodayCase kTodayCases[] = {
    {"NewYear1403", {2024, 3, 20}, "1403/01/01"},
    {"FirstOfJanuary1992", {1992, 1, 1}, "1370/10/11"},
    {"LeapDay2020", {2020, 2, 29}, "1398/12/10"},
    {"LastAcceptedDay", {2100, 12, 31}, "1479/10/10"},
    {"PastTheLastYear", {2101, 1, 1}, ""},
    {"NoSuchDay", {2023, 2, 29}, ""},
};
INSTANTIATE_TEST_SUITE_P(Cases, SystemDateCases, testing::ValuesIn(kTodayCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SystemDate, AnswersForEveryDayFrom1901To2100) {
  using namespace std::chrono;
  for (sys_days day = sys_days{1901y / January / 1}; day <= sys_days{2100y / December / 31}; day += days{1}) {
    const year_month_day date{day};
    const CivilDate today{int(date.year()), int(unsigned(date.month())), int(unsigned(date.day()))};
    if (SystemDate([today] { return today; }).size() != 10) {
      ADD_FAILURE() << today.year << '-' << today.month << '-' << today.day;
      return;
    }
  }
}

TEST(SystemDate, IsEmptyWhenTheClockFails) {
  EXPECT_EQ(SystemDate([]() -> CivilDate { throw std::runtime_error("no clock"); }), "");
}

TEST(SystemDate, AnswersFromTheSystemClock) {
  const CivilDate today = LocalToday();
  EXPECT_GE(today.year, 2024);
  EXPECT_GE(today.month, 1);
  EXPECT_LE(today.month, 12);
  EXPECT_GE(today.day, 1);
  EXPECT_LE(today.day, 31);
  EXPECT_EQ(SystemDate().size(), 10u);
}

}  // namespace
}  // namespace pelikar::calendar
