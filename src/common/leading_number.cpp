#include "common/leading_number.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "common/run_time_error.h"

namespace pelikar {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsSign(char c) { return c == '+' || c == '-'; }
bool IsExponentLetter(char c) { return c == 'e' || c == 'E' || c == 'd' || c == 'D'; }

std::string WithoutBlanks(CodeView text) {
  std::string kept;
  for (char c : text) {
    if (!IsBlank(c)) kept += c;
  }
  return kept;
}

// Length of the run of digits that starts at text[i].
std::size_t DigitRun(const std::string& text, std::size_t i) {
  std::size_t end = i;
  while (end < text.size() && IsDigit(text[end])) ++end;
  return end - i;
}

// The number at the start of the text, written for strtod (exponent letter "e"), or
// the empty string when the text does not begin with one.
std::string NumberAtStart(const std::string& text) {
  std::size_t i = 0;
  if (i < text.size() && IsSign(text[i])) ++i;
  const std::size_t wholeDigits = DigitRun(text, i);
  i += wholeDigits;
  std::size_t fractionDigits = 0;
  if (i < text.size() && text[i] == '.') {
    fractionDigits = DigitRun(text, i + 1);
    i += 1 + fractionDigits;
  }
  if (wholeDigits + fractionDigits == 0) return {};
  std::string number = text.substr(0, i);

  // An exponent counts only when digits follow its letter (and sign): "1e" reads 1.
  if (i < text.size() && IsExponentLetter(text[i])) {
    std::size_t j = i + 1;
    if (j < text.size() && IsSign(text[j])) ++j;
    const std::size_t exponentDigits = DigitRun(text, j);
    if (exponentDigits > 0) number += 'e' + text.substr(i + 1, j + exponentDigits - (i + 1));
  }
  return number;
}

}  // namespace

double LeadingNumber(CodeView text) {
  const std::string number = NumberAtStart(WithoutBlanks(text));
  if (number.empty()) return 0;
  // The core never changes the C locale, so strtod reads "." as the decimal point.
  const double value = std::strtod(number.c_str(), nullptr);
  if (std::isinf(value)) throw RunTimeError(kOverflow);
  return value;
}

}  // namespace pelikar
