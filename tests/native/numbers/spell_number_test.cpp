// Numbers in words, read back as the Persian a person sees in the control.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "encoding/tables.h"
#include "numbers/spell_number.h"
#include "unicode/bridge.h"

namespace pelikar::numbers {
namespace {

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
const std::string kLargestPhrase =
    "دو میلیارد و یکصد و چهل و هفت میلیون و چهارصد و هشتاد و سه هزار و ششصد و چهل و هفت";

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
  for (const auto& [number, phrase] : cases) EXPECT_EQ(ReadNivo(SpellNum(number)), phrase) << number;
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
    const std::string read = ReadNivo(SpellNum(n)), expected = PersianSpeller::Spell(n);
    if (read != expected && ++count <= 10) shown += std::to_string(n) + ": \"" + read + "\", not \"" + expected + "\"\n";
  }
  EXPECT_EQ(count, 0) << shown;
}

}  // namespace
}  // namespace pelikar::numbers
