#include "numbers/spell_number.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "encoding/convert_text.h"
#include "numbers/number_words.h"

namespace pelikar::numbers {
namespace {

constexpr double kLargestSpelled = 2147483647.0;

// The stored words through the Nivo conversion. Each word is converted by itself, so
// its converted form never changes and is made once.
struct NivoWords {
  std::array<CodeString, 10> ones, tens, hundreds, tenPlus;
  std::array<CodeString, kScaleWords.size()> scales;
  CodeString negative, tooLarge, tooLargeNegative;
};

CodeString ToNivo(std::string_view typed) {
  return encoding::ConvertText(typed, encoding::CodePage::Nivo);
}

template <std::size_t N>
std::array<CodeString, N> ToNivo(const std::array<std::string_view, N>& typed) {
  std::array<CodeString, N> converted;
  for (std::size_t i = 0; i < N; ++i) converted[i] = ToNivo(typed[i]);
  return converted;
}

NivoWords ConvertWords() {
  return {ToNivo(kOnesWords),    ToNivo(kTensWords),    ToNivo(kHundredsWords),
          ToNivo(kTenPlusWords), ToNivo(kScaleWords),   ToNivo(kNegativeWord),
          ToNivo(kTooLargeText), ToNivo(kTooLargeNegativeText)};
}

const NivoWords& Words() {
  static const NivoWords words = ConvertWords();
  return words;
}

// Builds the phrase from the least significant digit up, each word appended at the
// end: the result holds the least significant part first, as visual order wants it.
class Phrase {
 public:
  explicit Phrase(const NivoWords& words) : words_(words) {}

  CodeString Spell(std::uint32_t number) {
    const std::string digits = std::to_string(number);
    int position = 0;  // of the digit within its group: ones, tens, hundreds
    int group = 0;
    for (std::size_t i = digits.size(); i-- > 0;) {
      const int digit = digits[i] - '0';
      if (position == 3) {
        ++group;
        if (GroupHasValue(digits, i)) {
          AppendJoiner();
          text_ += words_.scales[group];
          text_ += ' ';
        }
        position = 0;
      }
      switch (position) {
        case 0: AppendOnes(digit); break;
        case 1: AppendTens(digit); break;
        case 2:
          AppendJoiner();
          text_ += words_.hundreds[digit];
          break;
      }
      // A joiner waits until the next word takes it (AppendJoiner), and a zero digit
      // leaves it waiting: a group of zeros appends no word of its own, and the "and"
      // after the hundreds word below it belongs before the next group's words.
      if (digit != 0) joinerPending_ = true;
      ++position;
    }
    return std::move(text_);
  }

 private:
  // The group whose ones digit is at index last: that digit and up to two before it.
  static bool GroupHasValue(const std::string& digits, std::size_t last) {
    const std::size_t first = last >= 2 ? last - 2 : 0;
    return digits.find_first_not_of('0', first) <= last;
  }

  void AppendJoiner() {
    if (!joinerPending_) return;
    text_.append(kJoiner, sizeof kJoiner);
    joinerPending_ = false;
  }

  // Ones take no joiner before them: they are the first word of their group.
  void AppendOnes(int digit) {
    text_ += words_.ones[digit];
    lastOnes_ = digit;
  }

  // Eleven to nineteen are one word: it replaces the ones word just appended.
  void AppendTens(int digit) {
    if (digit == 1 && lastOnes_ != 0) {
      text_.resize(text_.size() - words_.ones[lastOnes_].size());
      text_ += words_.tenPlus[lastOnes_];
      return;
    }
    AppendJoiner();
    text_ += words_.tens[digit];
  }

  const NivoWords& words_;
  CodeString text_;
  bool joinerPending_ = false;
  int lastOnes_ = 0;
};

CodeString SpellOrThrow(double number) {
  const bool negative = number < 0;
  const double whole = std::trunc(std::fabs(number));
  if (whole == 0) return CodeString(kZeroText);
  const NivoWords& words = Words();
  if (whole > kLargestSpelled) return negative ? words.tooLargeNegative : words.tooLarge;
  CodeString text = Phrase(words).Spell(static_cast<std::uint32_t>(whole));
  if (negative) {
    text += ' ';
    text += words.negative;
  }
  return text;
}

}  // namespace

CodeString SpellNum(double yourNumber) {
  if (std::isnan(yourNumber)) return {};
  // The caller asks for text, never for an error: a failure is the empty text.
  try {
    return SpellOrThrow(yourNumber);
  } catch (...) {
    return {};
  }
}

}  // namespace pelikar::numbers
