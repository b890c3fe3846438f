// The calendar: day counts, date strings and their conversion, the calendar's texts,
// the leading number its fields are read with, and numbers spelled in words.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#if PELIKAR_HAVE_ICU
#include <unicode/calendar.h>
#include <unicode/gregocal.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>
#endif

#include "calendar/calendar_days.h"
#include "calendar/calendar_texts.h"
#include "calendar/date_conversion.h"
#include "calendar/date_strings.h"
#include "common/leading_number.h"
#include "common/run_time_error.h"
#include "encoding/convert_text.h"
#include "numbers/spell_number.h"
#include "unicode/bridge.h"
#include "../test_support.h"

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

using Cases = std::pair<const char*, const char*>[];  // input, expected

TEST(CalendarDays, MiladiDaysAndDatesAreTheStandardLibrarys) {
  for (DayNumber day = 0; day <= kLastDayNumber; ++day) {
    const MiladiDate expected = ToMiladi(year_month_day{kFirstDay + days{day}});
    const MiladiDate date = MiladiDateOf(day);
    if (date != expected || DayNumberOf(date) != day) {
      FAIL() << "day " << day << " is " << date.year << '-' << date.month << '-' << date.day;
    }
  }
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

// The fields stand at fixed places, so only the day at the end may be one digit; a
// digit may stand for a separator; blanks around are trimmed and text beyond ten
// characters is ignored.
TEST(DateStrings, ConvertedOrNothing) {
  const Cases shamsi = {
      {"0001/01/01", "21/03/622"}, {"1501/01/01", ""},   {"0000/01/01", ""},  {"1370/00/10", ""},
      {"1370/13/01", ""},          {"1370/10/00", ""},   {"1370-10-11", ""},  {"1370/10 11", ""},
      {"1370/10/1x", ""},          {"1370/1/11", ""},    {"1370/10/", ""},    {"70/10/11", ""},
      {"", ""},                    {"   ", ""},         {"1370/10/5", "26/12/1991"},
      {"  1370/10/11  ", "01/01/1992"}, {"1370110111", "01/01/1992"}, {"1370/10/11 and so on", "01/01/1992"},
  };
  for (const auto& [input, expected] : shamsi) EXPECT_EQ(Shamsi_To_Miladi(input), expected) << '"' << input << '"';
  // A short year is that year, not a year of this century, and gives a Shamsi year
  // before the first.
  const Cases miladi = {
      {"01/01/2101", ""},  {"01/01/0000", ""}, {"01/00/1992", ""}, {"01/13/1992", ""}, {"00/01/1992", ""},
      {"01-01-1992", ""},  {"1/01/1992", ""},  {"01/01/19/2", ""}, {"", ""},           {"01/01/92", "-530/10/11"},
      {"01/01/9", "-613/10/11"}, {"01/01/0001", "-621/10/11"}, {" 01/01/1992   ", "1370/10/11"},
      {"0110111992", "1370/10/11"}, {"01/01/1992 12:00", "1370/10/11"},
  };
  for (const auto& [input, expected] : miladi) EXPECT_EQ(Miladi_To_Shamsi(input), expected) << '"' << input << '"';
}

// Weekday and month names, spelled dates and today's date. The weekday of every day of
// the Shamsi years 1200 to 1500 is checked against ICU in the oracle test.
// The calendar's names as typed on the keyboard, and their Nivo form, which is what
// the calendar texts must give. Sunday first.
constexpr const char* kTypedWeekdays[] = {"~d;akfi~", "~n,akfi~", "~si akfi~", "~]ihvakfi~", "~`k[ akfi~", "~[lui~", "~akfi~"};
CodeString Nivo(CodeView typed) { return encoding::ConvertText(typed, encoding::CodePage::Nivo); }

TEST(CalendarTexts, WeekdayMonthSpelledDateTodayAndLeadingNumbers) {
  EXPECT_EQ(DayOfWeek(" 1403/01/05 "), Nivo(kTypedWeekdays[0])) << "trimmed like the conversion";
  for (const char* rejected : {"1370/13/01", "1404/12/30", ""})
    EXPECT_EQ(DayOfWeek(rejected), "") << rejected;
  // The month field is read by position, leniently, and shown as it is when it names no month.
  // Keyboard-typed months; the routine gives their Nivo form. A half rounds to the even
  // zero, more than a half up; not trimmed, a blank shifts the field; the date is not
  // checked.
  const Cases months = {
      {"1370/10/11", "~nd~"}, {"1370/01/11", "~tv,vndk~"}, {"1370/12/11", "~hstkn~"}, {"1370/13/01", "13"},
      {"1370/-1/11", "-1"},   {"1370/.5/11", ".5"},        {"1370/.6/11", "~tv,vndk~"}, {" 1370/10/11", "/1"},
      {"1370/1/11", "~tv,vndk~"}, {"1370/ 9/11", "~Hbv~"}, {"1404/12/31", "~hstkn~"}, {"", ""},
  };
  for (const auto& [input, typed] : months) EXPECT_EQ(MonthOfYear(input), Nivo(typed)) << input;
  // Trimmed, unlike MonthOfYear; the year's half rounds to even; the day is the number
  // its field begins with.
  const struct { const char* input; double year; const char* typedMonth; double day; } spelled[] = {
      {"   1370/10/11 ", 70, "~nd~", 11}, {"13.5/10/11", 0, "~nd~", 11}, {"1370/01/5x", 70, "~tv,vndk~", 5}, {"1370/10/5", 70, "~nd~", 5},
  };
  for (const auto& c : spelled) EXPECT_EQ(SpellDate(c.input), numbers::SpellNum(c.year) + ' ' + Nivo(c.typedMonth) + ' ' + numbers::SpellNum(c.day)) << c.input;
  EXPECT_EQ(SpellDate(""), "ZERO  ZERO");
  // Today in the Shamsi calendar, as the conversion gives it for today's Miladi date;
  // nothing when the clock fails or gives a day the conversion does not take.
  const std::pair<CivilDate, const char*> todays[] = {
      {{1992, 1, 1}, "1370/10/11"}, {{2024, 3, 20}, "1403/01/01"}, {{1901, 1, 1}, "1279/10/11"},
      {{2100, 12, 31}, "1479/10/10"}, {{2101, 1, 1}, ""},          {{2023, 2, 29}, ""},
  };
  for (const auto& [today, shamsi] : todays) {
    EXPECT_EQ(SystemDate([today] { return today; }), shamsi) << today.year << '-' << today.month << '-' << today.day;
  }
  EXPECT_EQ(SystemDate([]() -> CivilDate { throw std::runtime_error("no clock"); }), "");
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

// Numbers in words, read back as the Persian a person sees in the control.

// Nivo text in visual order read back as the logical Persian a person sees in the
// control, through the Unicode bridge (which its own oracles check), so that phrases
// can be stated in Persian. Digits stay ASCII.
std::string ReadNivo(CodeView visual) {
  unicode::BridgeOptions options;
  options.digits = unicode::Digits::Ascii;
  std::string text;
  unicode::CodesToUnicode(options).Line(visual, text);
  return text;
}

// Numbers in words, read back as the Persian a person sees in the control. The whole
// numbers are checked against an independent speller in the grammar test; these are
// the edges it does not reach.
constexpr double kInfinity = std::numeric_limits<double>::infinity();
const std::string kLargestPhrase = "دو میلیارد و یکصد و چهل و هفت میلیون و چهارصد و هشتاد و سه هزار و ششصد و چهل و هفت";

TEST(SpellNum, ReadsAsThePersianPhrase) {
  // Below 1 the Latin word stands, without the negative word; the fraction is dropped;
  // a hundreds word below a group of zeros keeps its "and"; beyond the largest number a
  // fixed text stands, chosen by the sign; not a number gives an empty text.
  const std::pair<double, std::string> cases[] = {
      {0.7, "ZERO"}, {-0.5, "ZERO"}, {-0.0, "ZERO"}, {12.9, "دوازده"}, {2147483647.99, kLargestPhrase},
      {-2147483647, "منفی " + kLargestPhrase}, {1000100, "یک میلیون و یکصد"}, {100000100, "یکصد میلیون و یکصد"},
      {5000966, "پنج میلیون و نهصد و شصت و شش"}, {2147483648, "بیش از 2147483647"}, {kInfinity, "بیش از 2147483647"},
      {-2147483648, "منفی  کمتر از 2147483647 -"}, {-kInfinity, "منفی  کمتر از 2147483647 -"},
      {std::numeric_limits<double>::quiet_NaN(), ""}, {-std::numeric_limits<double>::quiet_NaN(), ""},
  };
  for (const auto& [number, phrase] : cases) EXPECT_EQ(ReadNivo(numbers::SpellNum(number)), phrase) << number;
}

// Every phrase against a speller written here from the grammar of Persian numbers,
// independently of the word tables: all numbers up to 20000, and samples of the
// whole range that put zeros in every place.
// A number is read in groups of three digits, most significant first. Each group that
// is not zero is read as its hundreds, its tens and its ones, followed by the name of
// its power of a thousand; every part is joined to the next by "و" between blanks.
// Eleven to nineteen are single words. The formal style is kept: one hundred is
// "یکصد" in one word and a thousand is "یک هزار", with its "one".
class PersianSpeller {
 public:
  static std::string Spell(std::uint32_t number) {
    if (number == 0) return "ZERO";
    std::string phrase;
    for (int scale = 3; scale >= 0; --scale) {
      const std::uint32_t group = number / kPowers[scale] % 1000;
      if (group == 0) continue;
      std::vector<std::string> parts = BelowThousand(group);
      if (scale > 0) parts.back() += " " + std::string(kScales[scale]);
      for (const std::string& part : parts) phrase += (phrase.empty() ? "" : " و ") + part;
    }
    return phrase;
  }

 private:
  static constexpr const char* kOnes[] = {"", "یک", "دو", "سه", "چهار", "پنج", "شش", "هفت", "هشت", "نه"};
  static constexpr const char* kTeens[] = {"ده", "یازده", "دوازده", "سیزده", "چهارده", "پانزده", "شانزده", "هفده", "هجده", "نوزده"};
  static constexpr const char* kTens[] = {"", "", "بیست", "سی", "چهل", "پنجاه", "شصت", "هفتاد", "هشتاد", "نود"};
  static constexpr const char* kHundreds[] = {"", "یکصد", "دویست", "سیصد", "چهارصد", "پانصد", "ششصد", "هفتصد", "هشتصد", "نهصد"};
  static constexpr const char* kScales[] = {"", "هزار", "میلیون", "میلیارد"};
  static constexpr std::uint32_t kPowers[] = {1, 1000, 1000000, 1000000000};

  static std::vector<std::string> BelowThousand(std::uint32_t n) {
    std::vector<std::string> parts;
    if (n >= 100) parts.push_back(kHundreds[n / 100]);
    const std::uint32_t rest = n % 100;
    if (rest >= 10 && rest < 20) {
      parts.push_back(kTeens[rest - 10]);
    } else {
      if (rest >= 20) parts.push_back(kTens[rest / 10]);
      if (rest % 10 != 0) parts.push_back(kOnes[rest % 10]);
    }
    return parts;
  }
};

constexpr std::uint32_t kLargest = 2147483647;

// Numbers whose digits are mostly zero, so that whole groups of zeros stand above,
// below and between the others in every combination.
std::vector<std::uint32_t> SparseNumbers(int count) {
  std::mt19937 random(20240320);
  std::uniform_int_distribution<int> digit(1, 9), length(1, 10);
  std::bernoulli_distribution zero(0.7);
  std::vector<std::uint32_t> numbers;
  while (static_cast<int>(numbers.size()) < count) {
    std::uint64_t n = static_cast<std::uint64_t>(digit(random));
    for (int i = length(random); i > 1; --i) n = n * 10 + (zero(random) ? 0 : digit(random));
    if (n <= kLargest) numbers.push_back(static_cast<std::uint32_t>(n));
  }
  return numbers;
}

// All numbers up to 20000, sparse numbers and random ones of the whole range.
TEST(SpellNumGrammar, EveryNumberReadsAsTheGrammarSpellsIt) {
  std::vector<std::uint32_t> numbers = SparseNumbers(50000);
  for (std::uint32_t n = 0; n <= 20000; ++n) numbers.push_back(n);
  std::mt19937 random(13701011);
  std::uniform_int_distribution<std::uint32_t> any(1, kLargest);
  for (int i = 0; i < 20000; ++i) numbers.push_back(any(random));
  // Shows the first few numbers that differ, not thousands.
  int count = 0;
  std::string shown;
  for (std::uint32_t n : numbers) {
    const std::string read = ReadNivo(numbers::SpellNum(n)), expected = PersianSpeller::Spell(n);
    if (read != expected && ++count <= 10) shown += std::to_string(n) + ": \"" + read + "\", not \"" + expected + "\"\n";
  }
  EXPECT_EQ(count, 0) << shown;
}

#if PELIKAR_HAVE_ICU
// Every day of the Shamsi years 1200 to 1500 against ICU's Persian calendar and a
// proleptic Gregorian calendar: both directions, the weekday, and the day after the
// last of every month rejected. ICU is an independent oracle here and nothing more;
// it serves the native build only (the test binary also runs under Wine, without it).
struct Fields { int year, month, day; };  // the month 1-12

Fields FieldsOf(const icu::Calendar& calendar) {
  UErrorCode status = U_ZERO_ERROR;
  const Fields fields{calendar.get(UCAL_YEAR, status), calendar.get(UCAL_MONTH, status) + 1,
                      calendar.get(UCAL_DATE, status)};
  EXPECT_TRUE(U_SUCCESS(status));
  return fields;
}

// yyyy/mm/dd and dd/mm/yyyy.
std::string ShamsiText(const Fields& date, int dayAfter = 0) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d", date.year, date.month, date.day + dayAfter);
  return text;
}
std::string MiladiText(const Fields& date, int dayAfter = 0) { return ShamsiText({date.day + dayAfter, date.month, date.year}).substr(2); }

// Both calendars at midnight in GMT, so that one instant is one day in each.
TEST(IcuCalendars, AgreeOnEveryDayOfTheShamsiYears1200To1500) {
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::Calendar> persian(
      icu::Calendar::createInstance(icu::TimeZone::getGMT()->clone(), icu::Locale("fa_IR@calendar=persian"), status));
  icu::GregorianCalendar gregorian(icu::TimeZone::getGMT()->clone(), status);
  // ICU's Gregorian calendar turns Julian before October 1582 unless told otherwise.
  gregorian.setGregorianChange(U_DATE_MIN, status);
  ASSERT_TRUE(U_SUCCESS(status)) << u_errorName(status);
  ASSERT_STREQ(persian->getType(), "persian");
  std::array<CodeString, 7> weekdayNames;
  for (int i = 0; i < 7; ++i) weekdayNames[i] = Nivo(kTypedWeekdays[i]);

  persian->clear();
  persian->set(1200, 0, 1);
  int failures = 0;
  auto expectEq = [&failures](const std::string& actual, const std::string& expected, const std::string& what) {
    if (actual != expected) ADD_FAILURE() << what << ": " << actual << " instead of " << expected, ++failures;
  };
  Fields lastShamsi{}, lastMiladi{};
  int days = 0;
  for (; failures < 10; ++days) {
    const Fields shamsi = FieldsOf(*persian);
    // The Gregorian date and weekday (Sunday = 1) of the Persian calendar's day.
    gregorian.setTime(persian->getTime(status), status);
    const int weekday = gregorian.get(UCAL_DAY_OF_WEEK, status);
    const Fields miladi = FieldsOf(gregorian);
    // The day after the last of a month does not exist.
    if (days > 0 && shamsi.day == 1) expectEq(Shamsi_To_Miladi(ShamsiText(lastShamsi, 1)), "", ShamsiText(lastShamsi, 1));
    if (days > 0 && miladi.day == 1) expectEq(Miladi_To_Shamsi(MiladiText(lastMiladi, 1)), "", MiladiText(lastMiladi, 1));
    if (shamsi.year > 1500) break;

    const std::string shamsiText = ShamsiText(shamsi), miladiText = MiladiText(miladi);
    expectEq(Shamsi_To_Miladi(shamsiText), miladiText, shamsiText);
    expectEq(Miladi_To_Shamsi(miladiText), miladi.year <= 2100 ? shamsiText : "", miladiText);
    expectEq(DayOfWeek(shamsiText), weekdayNames[weekday - 1], "weekday of " + shamsiText);

    lastShamsi = shamsi;
    lastMiladi = miladi;
    persian->add(UCAL_DATE, 1, status);
    ASSERT_TRUE(U_SUCCESS(status));
  }
  EXPECT_EQ(days, 301 * 365 + 73);  // 73 leap years: 8 in every 33, 301 = 9 * 33 + 4
}

#endif

}  // namespace
}  // namespace pelikar::calendar
