// Every phrase against a speller written here from the grammar of Persian numbers,
// independently of the word tables: all numbers up to 20000, and samples of the
// whole range that put zeros in every place.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "numbers/spell_number.h"
#include "reading.h"

namespace pelikar::numbers {
namespace {

// A number is read in groups of three digits, most significant first. Each group that
// is not zero is read as its hundreds, its tens and its ones, followed by the name of
// its power of a thousand; every part is joined to the next by "و" between blanks.
// Eleven to nineteen are single words. The formal style is kept: one hundred is
// "یکصد" in one word and a thousand is "یک هزار", with its "one".
class PersianSpeller {
 public:
  static std::string Spell(std::uint32_t number) {
    if (number == 0) return "ZERO";
    std::vector<std::string> parts;
    for (int scale = 3; scale >= 0; --scale) {
      const std::uint32_t group = number / Power(scale) % 1000;
      if (group == 0) continue;
      std::vector<std::string> groupParts = BelowThousand(group);
      if (scale > 0) groupParts.back() += " " + std::string(kScales[scale]);
      parts.insert(parts.end(), groupParts.begin(), groupParts.end());
    }
    return Joined(parts);
  }

 private:
  static constexpr const char* kOnes[] = {"", "یک", "دو", "سه", "چهار", "پنج", "شش", "هفت", "هشت", "نه"};
  static constexpr const char* kTeens[] = {"ده",    "یازده",  "دوازده", "سیزده", "چهارده",
                                           "پانزده", "شانزده", "هفده",   "هجده",  "نوزده"};
  static constexpr const char* kTens[] = {"", "", "بیست", "سی", "چهل", "پنجاه", "شصت", "هفتاد", "هشتاد", "نود"};
  static constexpr const char* kHundreds[] = {"",     "یکصد", "دویست", "سیصد", "چهارصد",
                                              "پانصد", "ششصد", "هفتصد", "هشتصد", "نهصد"};
  static constexpr const char* kScales[] = {"", "هزار", "میلیون", "میلیارد"};

  static std::uint32_t Power(int scale) {
    std::uint32_t power = 1;
    while (scale-- > 0) power *= 1000;
    return power;
  }

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

  static std::string Joined(const std::vector<std::string>& parts) {
    std::string phrase;
    for (const std::string& part : parts) phrase += (phrase.empty() ? "" : " و ") + part;
    return phrase;
  }
};

// Checks many numbers and reports the first few that differ, not thousands.
class Mismatches {
 public:
  void Check(double number, const std::string& expected) {
    const std::string read = test::ReadNivo(SpellNum(number));
    if (read == expected) return;
    if (++count_ > 10) return;
    shown_ += testing::PrintToString(number) + ": \"" + read + "\", not \"" + expected + "\"\n";
  }
  testing::AssertionResult None() const {
    if (count_ == 0) return testing::AssertionSuccess();
    return testing::AssertionFailure() << count_ << " numbers differ, among them:\n" << shown_;
  }

 private:
  int count_ = 0;
  std::string shown_;
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
  Mismatches mismatches;
  for (std::uint32_t n : numbers) mismatches.Check(n, PersianSpeller::Spell(n));
  EXPECT_TRUE(mismatches.None());
}

// A negative number reads as the negative word before its whole part.
TEST(SpellNumGrammar, NegativeNumbers) {
  Mismatches mismatches;
  for (std::uint32_t n : SparseNumbers(20000)) {
    mismatches.Check(-static_cast<double>(n), "منفی " + PersianSpeller::Spell(n));
    mismatches.Check(-(n + 0.5), "منفی " + PersianSpeller::Spell(n));
  }
  EXPECT_TRUE(mismatches.None());
}

}  // namespace
}  // namespace pelikar::numbers
