// The bridge's own rules: the conversion engine's stored order both ways, the hamza,
// the lam-alef and the digits, what is folded on the way in, and what is reported.
#include <gtest/gtest.h>

#include <random>

#include "../code_page_facts.h"
#include "../test_support.h"
#include "bridge_support.h"
#include "encoding/convert_text.h"

namespace pelikar::unicode::test {
namespace {

using encoding::CodePage;
using pelikar::test::Codes;
using pelikar::test::CodesOf;

class BothPages : public testing::TestWithParam<CodePage> {};

// Lines typed for the conversion engine (Persian in tilde spans, Latin words and
// numbers outside) and converted by it: to-unicode in conversion order gives the
// typed line with its letters, and from-unicode gives the engine's codes back (but
// that it joins a lam and an alef into their ligature).
TEST_P(BothPages, ConversionOrderAgreesWithTheConversionEngine) {
  std::vector<std::pair<char, char32_t>> keys;
  for (const auto& [key, letter] : pelikar::test::kLayoutLetters) {
    if (letter != U'\u0626') keys.push_back({key, letter});
  }
  std::mt19937 random(GetParam() == CodePage::Nivo ? 11 : 12);
  for (int round = 0; round < 2000; ++round) {
    std::string typed;
    std::u32string logical;
    for (int w = 0, words = 1 + static_cast<int>(random() % 6); w < words; ++w) {
      if (w > 0) {
        typed += ' ';
        logical += U' ';
      }
      const int kind = static_cast<int>(random() % 4);
      if (kind == 0) typed += '~', logical += U' ';
      for (int i = 0, n = 1 + static_cast<int>(random() % 6); i < n; ++i) {
        if (kind == 0) {
          const auto& [key, letter] = keys[random() % keys.size()];
          typed += key;
          logical += letter;
        } else {
          const char c = kind == 1 ? static_cast<char>('0' + random() % 10) : "abcxyzABC.,"[random() % 11];
          typed += c;
          logical += static_cast<char32_t>(c);
        }
      }
      if (kind == 0) typed += '~', logical += U' ';
    }
    // The engine drops the spaces at both ends.
    while (!logical.empty() && logical.front() == U' ') logical.erase(0, 1);
    while (!logical.empty() && logical.back() == U' ') logical.pop_back();
    const std::string text = Encoded(logical);

    const CodeString stored = encoding::ConvertText(typed, GetParam());
    const BridgeOptions options = On(GetParam(), Order::Conversion, Digits::Ascii);
    ASSERT_EQ(ToUnicodeText(stored, options), text) << "typed " << typed;
    // The engine leaves a lam and an alef typed one by one unligated.
    if (typed.find("gh") != std::string::npos) continue;
    ASSERT_EQ(CodesOf(FromUnicodeText(text, options)), CodesOf(stored)) << "typed " << typed;
  }
}

INSTANTIATE_TEST_SUITE_P(CodePages, BothPages, testing::Values(CodePage::Nivo, CodePage::Ir),
                         [](const auto& info) { return info.param == CodePage::Nivo ? "Nivo" : "Ir"; });

struct Stored {
  CodePage page;
  std::string text;    // logical Unicode
  CodeString codes;    // stored, typed order
};

// The hamza joins neither side, and each page has one code for it (the Nivo code is
// that of its isolated yeh with hamza); a lam and an alef are the lam-alef ligature.
TEST(BridgeLetters, HamzaAndLamAlefTakeThePagesCodes) {
  const Stored cases[] = {
      {CodePage::Nivo, "شیء", Codes({140, 253, 187})},
      {CodePage::Ir, "شیء", Codes({143, 252, 170})},
      {CodePage::Nivo, "لا", Codes({236})},
      {CodePage::Nivo, "بلا", Codes({235, 141})},
      {CodePage::Ir, "بلا", Codes({242, 147})},
      {CodePage::Nivo, "ل\u200Cا", Codes({136, 234})},
      // The Ir tah has one code for every form: the alef's isolated code tells.
      {CodePage::Ir, "ط\u200Cا", Codes({144, 175})},
  };
  for (const Stored& c : cases) {
    EXPECT_EQ(CodesOf(FromUnicodeText(c.text, On(c.page))), CodesOf(c.codes)) << c.text;
    EXPECT_EQ(ToUnicodeText(c.codes, On(c.page)), c.text);
  }
}

TEST(BridgeLetters, DigitsComeOutAsAsked) {
  // An ASCII and an Ir digit, one number.
  const CodeString stored = Codes({'1', 128, ' ', 144});
  EXPECT_EQ(ToUnicodeText(stored, On(CodePage::Ir)), "ا ۱۰");
  EXPECT_EQ(ToUnicodeText(stored, On(CodePage::Ir, Order::Typed, Digits::Ascii)), "ا 10");
  // Nivo has no Persian digits of its own: its digits are the ASCII codes.
  EXPECT_EQ(CodesOf(FromUnicodeText("۱۲ 3", On(CodePage::Nivo))), CodesOf("3 12"));
}

TEST(BridgeInput, CompositionsPresentationFormsAndArabicLettersFold) {
  for (CodePage page : {CodePage::Nivo, CodePage::Ir}) {
    EXPECT_EQ(FromUnicodeText("ا\u0653ب", On(page)), FromUnicodeText("آب", On(page)));
    EXPECT_EQ(FromUnicodeText("\uFEB3\uFEFC\uFEE1", On(page)), FromUnicodeText("سلام", On(page)));
    EXPECT_EQ(FromUnicodeText("كيى ٣", On(page)), FromUnicodeText("کیی ۳", On(page)));
    EXPECT_EQ(FromUnicodeText("\u00A0", On(page)), "\xFF");
    // Direction marks order the line and are gone.
    EXPECT_EQ(FromUnicodeText("\u200Fab\u200E", On(page)), "ab");
  }
}

TEST(BridgeInput, WhatThePageLacksIsReportedByColumnAndSubstituted) {
  BridgeOptions options = On(CodePage::Ir);
  options.substitute = '*';
  std::vector<Unexpressed> missed;
  // Columns count characters: the madda composes with its alef but keeps its column.
  EXPECT_EQ(FromUnicodeText("ab\u0629c\xFF" "d", options, &missed), "ab*c*d");
  ASSERT_EQ(missed.size(), 2u);
  EXPECT_EQ(missed[0].column, 3u);
  EXPECT_EQ(missed[0].character, U'\u0629');
  EXPECT_EQ(missed[1].column, 5u);
  EXPECT_EQ(missed[1].byte, 0xFF);
  // The Ir page has the box-drawing characters; a sequence cut short is no UTF-8.
  EXPECT_EQ(FromUnicodeText("\u2591\xD8", options, &missed), "*\xB0");
  ASSERT_EQ(missed.size(), 1u);
  EXPECT_EQ(missed[0].byte, 0xD8);
  FromUnicodeText("ا\u0653\u0623", options, &missed);
  ASSERT_EQ(missed.size(), 1u);
  EXPECT_EQ(missed[0].column, 3u);
  // A NUL is a character of both pages.
  EXPECT_EQ(FromUnicodeText(std::string("a\0b", 3), options, &missed), std::string("a\0b", 3));
  EXPECT_TRUE(missed.empty());
}

}  // namespace
}  // namespace pelikar::unicode::test
