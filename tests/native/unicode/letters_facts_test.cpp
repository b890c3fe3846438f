// The bridge's Unicode facts checked against ICU: the bidirectional class and joining
// of every character the pages stand for, the presentation forms folded, and the
// compositions of hamza and madda.
#include <gtest/gtest.h>
#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include "../unicode_facts.h"
#include "unicode/letters.h"

namespace pelikar::unicode {
namespace {

std::u32string Nfkc(char32_t c) {
  UErrorCode status = U_ZERO_ERROR;
  const icu::UnicodeString out =
      icu::Normalizer2::getNFKCInstance(status)->normalize(icu::UnicodeString(static_cast<UChar32>(c)), status);
  std::u32string text;
  for (int32_t i = 0; i < out.length(); i = out.moveIndex32(i, 1)) text.push_back(static_cast<char32_t>(out.char32At(i)));
  return text;
}

BidiClass IcuClass(char32_t c) {
  switch (u_charDirection(static_cast<UChar32>(c))) {
    case U_LEFT_TO_RIGHT: return kL;
    case U_RIGHT_TO_LEFT: return kR;
    case U_RIGHT_TO_LEFT_ARABIC: return kAL;
    case U_EUROPEAN_NUMBER: return kEN;
    case U_EUROPEAN_NUMBER_SEPARATOR: return kES;
    case U_EUROPEAN_NUMBER_TERMINATOR: return kET;
    case U_ARABIC_NUMBER: return kAN;
    case U_COMMON_NUMBER_SEPARATOR: return kCS;
    case U_DIR_NON_SPACING_MARK: return kNSM;
    case U_BOUNDARY_NEUTRAL: return kBN;
    case U_BLOCK_SEPARATOR: return kB;
    case U_SEGMENT_SEPARATOR: return kS;
    case U_WHITE_SPACE_NEUTRAL: return kWS;
    default: return kON;
  }
}

// Every character the pages stand for, and the whole Arabic block.
TEST(UnicodeFacts, ClassesAndJoiningAreIcus) {
  std::vector<char32_t> characters;
  for (CodePage page : {CodePage::Nivo, CodePage::Ir}) {
    for (int code = 0; code < 256; ++code) characters.push_back(LettersOf(page).character[code]);
  }
  for (char32_t c = 0x0600; c <= 0x06FF; ++c) {
    if (u_isdefined(static_cast<UChar32>(c))) characters.push_back(c);
  }
  for (char32_t c : characters) {
    EXPECT_EQ(BidiClassOf(c), IcuClass(c)) << std::hex << unsigned(c);
    EXPECT_EQ(static_cast<int>(JoiningOf(c)), static_cast<int>(test::JoiningOf(c))) << std::hex << unsigned(c);
    // Standard text holds no presentation forms.
    EXPECT_FALSE(c >= 0xFB50 && c <= 0xFEFF) << std::hex << unsigned(c);
  }
}

TEST(UnicodeFacts, PresentationFormsFoldToTheirLettersAsNfkcDoes) {
  int folded = 0;
  for (char32_t c = 0xFB50; c <= 0xFEFC; ++c) {
    char32_t letters[2] = {};
    const int count = FoldPresentationForm(c, letters);
    if (count == 0) continue;
    ++folded;
    EXPECT_EQ(std::u32string(letters, count), Nfkc(c)) << std::hex << unsigned(c);
  }
  // Every form of every letter the pages have folds.
  for (CodePage page : {CodePage::Nivo, CodePage::Ir}) {
    for (int code = 128; code < 256; ++code) {
      // (The tatweel's "forms" are its harakat.)
      const char32_t letter = LettersOf(page).character[code];
      if (letter == 0x0640) continue;
      for (int form = 1; form <= 4; ++form) {
        const char32_t shape = test::PresentationForm(letter, form);
        char32_t letters[2];
        if (shape != 0) {
          EXPECT_EQ(FoldPresentationForm(shape, letters), 1) << std::hex << unsigned(shape);
        }
      }
    }
  }
  EXPECT_GT(folded, 130);
}

TEST(UnicodeFacts, HamzaAndMaddaComposeAsNfcDoes) {
  UErrorCode status = U_ZERO_ERROR;
  const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
  for (char32_t letter = 0x0620; letter <= 0x06FF; ++letter) {
    for (char32_t mark = 0x0653; mark <= 0x0655; ++mark) {
      const UChar32 composed = nfc->composePair(static_cast<UChar32>(letter), static_cast<UChar32>(mark));
      EXPECT_EQ(Compose(letter, mark), composed < 0 ? 0 : static_cast<char32_t>(composed))
          << std::hex << unsigned(letter) << " + " << unsigned(mark);
    }
  }
}

}  // namespace
}  // namespace pelikar::unicode
