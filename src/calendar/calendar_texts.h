#pragma once
// Calendar texts in Persian words (Nivo code page, visual order) and today's date.
#include <functional>

#include "common/code_string.h"

namespace pelikar::calendar {

// A Gregorian date as the system clock gives it.
struct CivilDate {
  int year;
  int month;
  int day;
};

// Today's date from the system clock, in local time.
CivilDate LocalToday();

CodeString DayOfWeek(CodeView shamsiStr);
CodeString MonthOfYear(CodeView shamsiStr);
CodeString SystemDate(const std::function<CivilDate()>& today = LocalToday);
CodeString SpellDate(CodeView shamsiStr);

}  // namespace pelikar::calendar
