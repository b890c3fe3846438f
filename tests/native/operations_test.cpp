#include "encoding/operations.h"

#include "encoding/convert_text.h"
#include "encoding/unicode_view.h"

#include <gtest/gtest.h>

#include <random>

#include "test_support.h"

namespace pelikar::encoding {
namespace {

using test::Codes;
using test::CodesOf;
using test::ErrorNumberOf;

// Spans, digits, blanks and what lies outside a span; the shaping of the letters
// inside one span is checked against the joining oracle.
TEST(ConvertText, GivesTheShapedVisualText) {
  const struct {
    CodePage page;
    CodeString input, expected;
  } cases[] = {
      {CodePage::Nivo, "", ""},
      {CodePage::Nivo, "x ~ff~", Codes({143, 141, 32, 32, 120})},
      {CodePage::Nivo, "12~f~", Codes({144, 32, 50, 49})},
      {CodePage::Nivo, "ab~cd", Codes({'d', 'c', 32, 175, 187})},  // an odd tilde converts the start
      {CodePage::Nivo, "abc 12", "21 cba"},
      {CodePage::Ir, "J", Codes({139})},  // the tatweel anywhere
      {CodePage::Nivo, "~f\tf~", Codes({144, 9, 144})},
      {CodePage::Nivo, "  a  b  ", "b  a"},
      {CodePage::Nivo, Codes({'a', 200, 'b'}), "b a"},  // Ir box drawing becomes a space
  };
  for (const auto& c : cases) EXPECT_EQ(CodesOf(ConvertText(c.input, c.page)), CodesOf(c.expected)) << c.input;
}

TEST(RenderUtf8, KeepsVisualOrderLineByLineAndShowsControlCharacters) {
  const std::string kOverride = "\u202D", kPop = "\u202C";
  EXPECT_EQ(RenderUtf8(Codes({144, ' ', '2', '1'}), CodePage::Nivo), kOverride + "\uFE8F 21" + kPop);
  EXPECT_EQ(RenderUtf8(Codes({146, '\n', 128}), CodePage::Ir), kOverride + "\uFE90" + kPop + "\n" + kOverride + "\u06F0" + kPop);
  EXPECT_EQ(RenderUtf8(Codes({27, '\t', '\r', 127, 0}), CodePage::Nivo), kOverride + "\u241B\t\u240D\u2421\u2400" + kPop);
}

TEST(NivoFarsiChar, ClampsThePositionToTheAlphabet) {
  const std::pair<int, int> cases[] = {{-32768, 134}, {-1, 134},   {0, 134},  {1, 134},
                                       {2, 136},      {3, 140},    {33, 250}, {34, 254},
                                       {35, 254},     {32767, 254}};
  for (const auto& [position, code] : cases) {
    EXPECT_EQ(CodesOf(NivoFarsiChar(static_cast<std::int16_t>(position))), std::vector<int>{code})
        << position;
  }
}

TEST(Nivo_To_En, GivesTheKeysInReadingOrderInsideOneSpan) {
  EXPECT_EQ(Nivo_To_En(""), "~~");
  EXPECT_EQ(Nivo_To_En(Codes({143, 142, 141})), "~fff~");
  EXPECT_EQ(Nivo_To_En(Codes({144, 32, '2', '1'})), "~12 f~");
  EXPECT_EQ(Nivo_To_En(Codes({'a', 9, 10, 'b'})), "~ba~") << "control characters have no key";
  EXPECT_EQ(Nivo_To_En("x~y"), "~y~x~") << "a tilde stays a tilde";
  // Nothing types 130 inside a span; it comes back as its Shift key, an alef madda.
  EXPECT_EQ(Nivo_To_En(Codes({130})), "~I~");
}

TEST(Nivo_To_En, RoundTripsConvertedText) {
  const std::string keys = "qwertyuiop[]asdfghjkl;'zxcvbnm,`\\HG $*&?0123456789";
  std::mt19937 random(3);
  for (int i = 0; i < 3000; ++i) {
    std::string typed = "~";
    for (int n = 1 + random() % 20; n > 0; --n) typed += keys[random() % keys.size()];
    typed += "~";
    const CodeString nivo = En_Ir_To_nivo(typed);
    ASSERT_EQ(CodesOf(En_Ir_To_nivo(Nivo_To_En(nivo))), CodesOf(nivo)) << typed;
  }
}

TEST(StrToAscStr, WritesThreeDigitsPerCode) {
  EXPECT_EQ(StrToAscStr("  a b  "), "097032098") << "outer spaces ignored, inner kept";
  EXPECT_EQ(StrToAscStr(Codes({0, 7, 255})), "000007255");
}

TEST(AscStrToStr, ReadsGroupsOfThree) {
  const std::pair<const char*, CodeString> cases[] = {
      {" 65", "A"},         {"0650", Codes({65, 0})}, {"1.5", Codes({2})}, {"2.5", Codes({2})},
      {"1e2", "d"},         {"&HF", Codes({15})},     {"-0 ", Codes({0})},
  };
  for (const auto& [text, expected] : cases)
    EXPECT_EQ(CodesOf(AscStrToStr(text)), CodesOf(expected)) << text;
}

TEST(AscStrToStr, RejectsWhatIsNoCharacterCode) {
  const std::pair<const char*, int> cases[] = {
      {"abc", kTypeMismatch},        {"   ", kTypeMismatch},
      {"06x", kTypeMismatch},        {"0656 x", kTypeMismatch},
      {"&H", kTypeMismatch},         {"300", kInvalidProcedureCall},
      {"-1", kInvalidProcedureCall}, {"065256", kInvalidProcedureCall},
  };
  for (const auto& [text, number] : cases)
    EXPECT_EQ(ErrorNumberOf([&] { AscStrToStr(text); }), number) << text;
}

TEST(AscStrToStr, UndoesStrToAscStrForEveryString) {
  std::mt19937 random(5);
  for (int i = 0; i < 2000; ++i) {
    CodeString text(random() % 30, ' ');
    for (char& c : text) c = CodeChar(random() % 256);
    const auto first = text.find_first_not_of(' ');
    const CodeString trimmed =
        first == CodeString::npos ? "" : text.substr(first, text.find_last_not_of(' ') - first + 1);
    ASSERT_EQ(CodesOf(AscStrToStr(StrToAscStr(text))), CodesOf(trimmed));
  }
}

}  // namespace
}  // namespace pelikar::encoding
