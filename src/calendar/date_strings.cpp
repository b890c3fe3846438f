#include "calendar/date_strings.h"

#include <string>

namespace pelikar::calendar {
namespace {

constexpr int kLastShamsiYear = 1500;
constexpr int kLastMiladiYear = 2100;

// Where the fields stand in a string form, counted from 1.
struct FieldPositions {
  std::size_t year;
  std::size_t month;
  std::size_t day;
};
constexpr FieldPositions kShamsiPositions = {1, 6, 9};
constexpr FieldPositions kMiladiPositions = {7, 4, 1};

// Only digits and "/" may stand in the first ten positions; what follows them is not
// looked at, and neither is which of the two stands where.
bool HasOnlyDateCharacters(CodeView text) {
  for (char c : Mid(text, 1, 10)) {
    if (c != '/' && (c < '0' || c > '9')) return false;
  }
  return true;
}

// A field is a number when it is not empty and holds no "/"; after the character
// check, that makes it a run of digits.
std::optional<int> FieldNumber(CodeView text, std::size_t first, std::size_t length) {
  const CodeView field = Mid(text, first, length);
  if (field.empty()) return std::nullopt;
  int value = 0;
  for (char c : field) {
    if (c == '/') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

template <typename Date>
std::optional<Date> ReadDate(CodeView text, FieldPositions positions) {
  text = TrimSpaces(text);
  if (!HasOnlyDateCharacters(text)) return std::nullopt;
  const auto year = FieldNumber(text, positions.year, 4);
  const auto month = FieldNumber(text, positions.month, 2);
  const auto day = FieldNumber(text, positions.day, 2);
  if (!year || !month || !day) return std::nullopt;
  const Date date{*year, *month, *day};
  if (!IsAccepted(date)) return std::nullopt;
  return date;
}

std::string TwoDigits(int value) {
  return {static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

}  // namespace

CodeView Mid(CodeView text, std::size_t first, std::size_t length) {
  if (first > text.size()) return {};
  return text.substr(first - 1, length);
}

bool IsAccepted(ShamsiDate date) {
  return date.year >= 1 && date.year <= kLastShamsiYear && date.month >= 1 && date.month <= 12 &&
         date.day >= 1 && date.day <= ShamsiMonthLength(date.year, date.month);
}

bool IsAccepted(MiladiDate date) {
  return date.year >= 1 && date.year <= kLastMiladiYear && date.month >= 1 && date.month <= 12 &&
         date.day >= 1 && date.day <= MiladiMonthLength(date.year, date.month);
}

std::optional<ShamsiDate> ReadShamsiString(CodeView text) {
  return ReadDate<ShamsiDate>(text, kShamsiPositions);
}

std::optional<MiladiDate> ReadMiladiString(CodeView text) {
  return ReadDate<MiladiDate>(text, kMiladiPositions);
}

CodeString ShamsiString(ShamsiDate date) {
  return std::to_string(date.year) + '/' + TwoDigits(date.month) + '/' + TwoDigits(date.day);
}

CodeString MiladiString(MiladiDate date) {
  return TwoDigits(date.day) + '/' + TwoDigits(date.month) + '/' + std::to_string(date.year);
}

}  // namespace pelikar::calendar
