#include "common/text_number.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>

namespace pelikar {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::optional<double> ParseRadix(CodeView digits, int radix) {
  if (digits.empty()) return std::nullopt;
  double value = 0;
  for (char c : digits) {
    const int lower = std::tolower(static_cast<unsigned char>(c));
    const int digit = IsDigit(c) ? c - '0' : (lower >= 'a' && lower <= 'f') ? lower - 'a' + 10 : radix;
    if (digit >= radix) return std::nullopt;
    value = value * radix + digit;
  }
  return value;
}

std::optional<double> ParseDecimal(CodeView text) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  bool digits = false;
  while (i < text.size() && IsDigit(text[i])) ++i, digits = true;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, digits = true;
  }
  if (!digits) return std::nullopt;
  std::string number(text.substr(0, i));
  if (i < text.size() && std::strchr("eEdD", text[i]) != nullptr) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    const std::size_t exponentStart = j;
    while (j < text.size() && IsDigit(text[j])) ++j;
    if (j == exponentStart) return std::nullopt;
    number += 'e';
    number += text.substr(i + 1, j - i - 1);
    i = j;
  }
  if (i != text.size()) return std::nullopt;
  return std::strtod(number.c_str(), nullptr);
}

}  // namespace

std::optional<double> ParseTextNumber(CodeView text) {
  if (text.size() >= 2 && text[0] == '&') {
    const char radix = static_cast<char>(std::toupper(static_cast<unsigned char>(text[1])));
    if (radix == 'H') return ParseRadix(text.substr(2), 16);
    if (radix == 'O') return ParseRadix(text.substr(2), 8);
    return ParseRadix(text.substr(1), 8);
  }
  return ParseDecimal(text);
}

}  // namespace pelikar
