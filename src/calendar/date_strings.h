#pragma once
// The fixed-position date strings: Shamsi yyyy/mm/dd and Miladi dd/mm/yyyy. A string
// is read by position, not by its separators, and only dates of the years 1 to 1500
// (Shamsi) or 1 to 2100 (Miladi) that exist in their calendar are accepted.
#include <optional>

#include "calendar/calendar_days.h"
#include "common/code_string.h"

namespace pelikar::calendar {

// Characters first to first + length - 1 (counted from 1), as far as the text goes.
CodeView Mid(CodeView text, std::size_t first, std::size_t length);

bool IsAccepted(ShamsiDate date);
bool IsAccepted(MiladiDate date);

// The accepted date a string gives once trimmed, or nothing.
std::optional<ShamsiDate> ReadShamsiString(CodeView text);
std::optional<MiladiDate> ReadMiladiString(CodeView text);

// Two-digit month and day; the year as its plain number, with a minus sign if below 0.
CodeString ShamsiString(ShamsiDate date);
CodeString MiladiString(MiladiDate date);

}  // namespace pelikar::calendar
