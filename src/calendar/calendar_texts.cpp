#include "calendar/calendar_texts.h"

#include <array>
#include <cmath>

#include "calendar/calendar_days.h"
#include "calendar/date_strings.h"
#include "calendar/empty_on_failure.h"
#include "common/leading_number.h"
#include "encoding/convert_text.h"
#include "numbers/spell_number.h"

namespace pelikar::calendar {
namespace {

// Keyboard-typed text, converted to the Nivo code page when used.
constexpr std::array<const char*, 7> WeekdayNames = {
    "~d;akfi~",    // 1 Sunday
    "~n,akfi~",    // 2 Monday
    "~si akfi~",   // 3 Tuesday
    "~]ihvakfi~",  // 4 Wednesday
    "~`k[ akfi~",  // 5 Thursday
    "~[lui~",      // 6 Friday
    "~akfi~",      // 7 Saturday
};

constexpr std::array<const char*, 12> ShamsiMonthNames = {
    "~tv,vndk~", "~hvndfiaj~", "~ovnhn~", "~jdv~",  "~lvnhn~", "~aivd,v~",
    "~liv~",     "~Hfhk~",     "~Hbv~",   "~nd~",   "~filk~",  "~hstkn~",
};

CodeString InNivo(CodeView typedText) { return encoding::ConvertText(typedText, encoding::CodePage::Nivo); }

// Rounds to the nearest whole number, a half to the even neighbour (2.5 to 2, 3.5 to
// 4), as the host's run-time rounds.
double RoundHalfEven(double value) { return std::nearbyint(value); }

}  // namespace

CodeString DayOfWeek(CodeView shamsiStr) {
  return EmptyOnFailure([shamsiStr]() -> CodeString {
    const auto date = ReadShamsiString(shamsiStr);
    if (!date) return {};
    return InNivo(WeekdayNames[WeekdayOf(DayNumberOf(*date)) - 1]);
  });
}

// The month field is read by position in the text as given, not trimmed, and leniently:
// a number it begins with counts, and a field that names no month is shown as it is.
CodeString MonthOfYear(CodeView shamsiStr) {
  return EmptyOnFailure([shamsiStr]() -> CodeString {
    const CodeView field = Mid(shamsiStr, 6, 2);
    const double month = RoundHalfEven(LeadingNumber(field));
    if (month >= 1 && month <= 12) return InNivo(ShamsiMonthNames[static_cast<int>(month) - 1]);
    return InNivo(field);
  });
}

CodeString SystemDate(const std::function<CivilDate()>& today) {
  return EmptyOnFailure([&today]() -> CodeString {
    const CivilDate now = today();
    const MiladiDate date{now.year, now.month, now.day};
    if (!IsAccepted(date)) return {};
    return ShamsiString(ShamsiDateOf(DayNumberOf(date)));
  });
}

// Spells the last two digits of the year, the month's name and the day.
CodeString SpellDate(CodeView shamsiStr) {
  return EmptyOnFailure([shamsiStr]() -> CodeString {
    const CodeView date = TrimSpaces(shamsiStr);
    const double day = LeadingNumber(Mid(date, 9, 2));
    const double year = RoundHalfEven(LeadingNumber(Mid(date, 3, 2)));
    return numbers::SpellNum(year) + ' ' + MonthOfYear(date) + ' ' + numbers::SpellNum(day);
  });
}

}  // namespace pelikar::calendar
