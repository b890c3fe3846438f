// Typed Persian sentences converted by the engine, checked letter by letter against
// an independent joining model built from Unicode's joining types: a letter joins the
// one before it when that one joins forward and it joins backward.
#include <gtest/gtest.h>

#include <random>

#include "code_page_facts.h"
#include "encoding/convert_text.h"
#include "encoding/unicode_view.h"
#include "test_support.h"
#include "unicode_facts.h"

namespace pelikar::encoding {
namespace {

using test::Joining;

struct TypedLetter {
  char key;
  char32_t letter;  // 0 for a character that is no letter (space, digit)
};

Joining JoiningForCodePages(char32_t letter) {
  if (letter == 0) return Joining::None;
  // Neither code page has a final alef madda.
  if (letter == U'\u0622') return Joining::None;
  return test::JoiningOf(letter);
}

bool JoinsForward(Joining j) { return j == Joining::Dual || j == Joining::Causing; }
bool JoinsBackward(Joining j) { return j != Joining::None; }

// The form of each letter of a text in reading order.
std::vector<int> ExpectedForms(const std::vector<TypedLetter>& text) {
  std::vector<int> forms;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const Joining self = JoiningForCodePages(text[i].letter);
    const bool joinsPrevious = i > 0 && JoinsForward(JoiningForCodePages(text[i - 1].letter)) && JoinsBackward(self);
    const bool joinsNext =
        i + 1 < text.size() && JoinsForward(self) && JoinsBackward(JoiningForCodePages(text[i + 1].letter));
    forms.push_back(joinsPrevious ? (joinsNext ? 2 : 3) : (joinsNext ? 1 : 4));
  }
  return forms;
}

Byte ExpectedCode(CodePage page, const TypedLetter& typed, int form) {
  if (typed.letter == 0) return static_cast<Byte>(typed.key);
  if (typed.letter == U'\u0640') return page == CodePage::Nivo ? 133 : 139;  // one tatweel code
  if (page == CodePage::Nivo) {
    Byte code = 0;
    EXPECT_TRUE(CodeOf(page, test::PresentationForm(typed.letter, form), code)) << std::hex << unsigned(typed.letter);
    return code;
  }
  // The Ir code page: the code that serves the form; the hamza stands in for the
  // final and isolated yeh with hamza.
  if (typed.letter == U'\u0626' && form >= 3) return 143;
  for (const auto& fact : test::kIranSystem) {
    if (fact.letter == typed.letter && fact.forms.count(form)) return fact.code;
  }
  ADD_FAILURE() << "no Ir code for " << std::hex << unsigned(typed.letter) << " form " << form;
  return 0;
}

// What the model says a text converts to: each letter's code in visual order.
CodeString ExpectedVisual(CodePage page, const std::vector<TypedLetter>& text) {
  const std::vector<int> forms = ExpectedForms(text);
  CodeString expected;
  for (std::size_t i = text.size(); i-- > 0;) expected.push_back(CodeChar(ExpectedCode(page, text[i], forms[i])));
  return expected;
}

CodeString TypedInOneSpan(const std::vector<TypedLetter>& text) {
  CodeString typed = "~";
  for (const auto& t : text) typed += t.key;
  return typed + "~";
}

std::vector<TypedLetter> RandomSentence(std::mt19937& random) {
  std::vector<TypedLetter> letters;
  for (const auto& [key, letter] : test::kLayoutLetters) letters.push_back({key, letter});
  letters.push_back({'J', U'\u0640'});
  std::vector<TypedLetter> text;
  const int words = 1 + random() % 6;
  for (int w = 0; w < words; ++w) {
    if (w > 0) text.push_back({' ', 0});
    if (random() % 8 == 0) {
      for (int d = 0, n = 1 + random() % 4; d < n; ++d) text.push_back({static_cast<char>('0' + random() % 10), 0});
      continue;
    }
    for (int i = 0, n = 1 + random() % 7; i < n; ++i) text.push_back(letters[random() % letters.size()]);
  }
  return text;
}

class JoiningOracle : public testing::TestWithParam<CodePage> {};

TEST_P(JoiningOracle, EveryLetterOfRandomSentencesTakesItsJoiningForm) {
  std::mt19937 random(20261206);
  for (int round = 0; round < 3000; ++round) {
    const std::vector<TypedLetter> text = RandomSentence(random);
    const CodeString typed = TypedInOneSpan(text);
    const CodeString expected = ExpectedVisual(GetParam(), text);
    ASSERT_EQ(test::CodesOf(ConvertText(typed, GetParam())), test::CodesOf(expected)) << "typed " << typed;
  }
}

TEST_P(JoiningOracle, LongTextsShapeAsTheirWordsDo) {
  // Long texts are shaped in pieces; the pieces must not show.
  std::mt19937 random(1404);
  for (int round = 0; round < 20; ++round) {
    std::vector<TypedLetter> text;
    while (text.size() < 5000) {
      const std::vector<TypedLetter> sentence = RandomSentence(random);
      text.insert(text.end(), sentence.begin(), sentence.end());
    }
    const CodeString typed = TypedInOneSpan(text);
    const CodeString expected = ExpectedVisual(GetParam(), text);
    ASSERT_EQ(test::CodesOf(ConvertText(typed, GetParam())), test::CodesOf(expected));
  }
}

// Any Ir code of a letter, whatever its form.
Byte AnyIrCodeOf(const TypedLetter& typed, std::mt19937& random) {
  if (typed.letter == 0) return static_cast<Byte>(typed.key);
  std::vector<Byte> codes;
  for (const auto& fact : test::kIranSystem) {
    if (fact.letter == typed.letter) codes.push_back(fact.code);
  }
  if (typed.letter == U'\u0626') codes.push_back(143);
  return codes[random() % codes.size()];
}

TEST_P(JoiningOracle, IrTextInAnyFormsIsReshaped) {
  std::mt19937 random(1403);
  for (int round = 0; round < 3000; ++round) {
    const std::vector<TypedLetter> text = RandomSentence(random);
    CodeString ir;
    for (const auto& t : text) ir.push_back(CodeChar(AnyIrCodeOf(t, random)));
    const CodeString expected = ExpectedVisual(GetParam(), text);
    ASSERT_EQ(test::CodesOf(ConvertText(ir, GetParam())), test::CodesOf(expected)) << "Ir input " << testing::PrintToString(test::CodesOf(ir));
  }
}

INSTANTIATE_TEST_SUITE_P(CodePages, JoiningOracle, testing::Values(CodePage::Nivo, CodePage::Ir),
                         [](const auto& info) { return info.param == CodePage::Nivo ? "Nivo" : "Ir"; });

}  // namespace
}  // namespace pelikar::encoding
