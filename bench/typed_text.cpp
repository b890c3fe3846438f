#include "typed_text.h"

#include <array>
#include <random>
#include <string_view>

namespace pelikar::bench {
namespace {

// Common words as typed on the Persian keyboard: salam, iran, ketab, va, dar, be, az,
// ke, in, ra, ba, ast, baraye, an, yek, khod, ta, kard, shahr, daneshgah, mardom,
// zaban, farsi, ruz, kar, sal, nameh, khaneh, ab, dust...
constexpr std::array<std::string_view, 32> kWords = {
    "sghl", "hdvhk", ";jhf",  ",",    "nv",      "fi",   "hc",   ";i",
    "hdk",  "vh",    "fh",    "hsj",  "fvhd",    "Hk",   "d;",   "o,n",
    "jh",   ";vn",   "aiv",   "nhka'hi", "lvnl", "chfhk", "thvsd", "v,c",
    ";hv",  "shg",   "khli",  "ohki", "Hf",      "n,sj", "lnvsi", "ldJ,hkn"};

constexpr std::array<std::string_view, 6> kLatin = {"Windows", "PDF", "email", "USB", "OK", "v2"};

}  // namespace

std::vector<std::string> TypedLines(std::size_t bytes) {
  std::mt19937 random(1403);
  auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
  std::vector<std::string> lines;
  std::size_t total = 0;
  while (total < bytes) {
    std::string line = "~";
    std::size_t length = 60 + pick(60);
    while (line.size() < length) {
      switch (pick(10)) {
        case 0:  // a number or a Latin word stands outside the span
          line += "~ " + std::to_string(pick(3000)) + " ~";
          break;
        case 1:
          line += "~ " + std::string(kLatin[pick(kLatin.size())]) + " ~";
          break;
        default:
          line += kWords[pick(kWords.size())];
          line += ' ';
      }
    }
    line += "~";
    total += line.size() + 2;
    lines.push_back(std::move(line));
  }
  return lines;
}

std::string TypedText(std::size_t bytes, const std::string& ending) {
  std::string text;
  for (const std::string& line : TypedLines(bytes)) text += line + ending;
  return text;
}

}  // namespace pelikar::bench
