#include "util/binary_text.h"

#include <string>

#include "common/run_time_error.h"

namespace pelikar::util {
namespace {

constexpr int kDigits = 8;

int DigitValue(char c) { return c >= '0' && c <= '9' ? c - '0' : 0; }

}  // namespace

CodeString DecToBin(Byte decNum) {
  CodeString text(kDigits, '0');
  for (int i = 0; i < kDigits; ++i) {
    if ((decNum >> i) & 1) text[kDigits - 1 - i] = '1';
  }
  return text;
}

Byte BinToDec(CodeView binStr) {
  int sum = 0;
  for (int i = 0; i < kDigits; ++i) {
    const auto position = static_cast<std::size_t>(kDigits - 1 - i);
    if (position < binStr.size()) sum += DigitValue(binStr[position]) << i;
  }
  if (sum > 255) throw RunTimeError(kOverflow, "the binary text stands for " + std::to_string(sum));
  return static_cast<Byte>(sum);
}

}  // namespace pelikar::util
