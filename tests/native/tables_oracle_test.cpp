// The code pages' tables and the conversion engine against facts from outside them:
// the keyboard layouts, the published Iran System layout, the Persian alphabet, and
// Unicode's names, decompositions and joining types (through ICU).
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <random>

#include "code_page_facts.h"
#include "encoding/convert_text.h"
#include "encoding/shaping.h"
#include "encoding/tables.h"
#include "encoding/unicode_view.h"
#include "test_support.h"
#include "unicode_facts.h"

namespace pelikar::encoding {
namespace {

using test::BaseLetter;
using test::JoiningOf;
using test::ShownForm;

char32_t LetterOf(CodePage page, Byte code) { return BaseLetter(UnicodeOf(page, code)); }

// The letter shaping takes an Ir code for: the Ir code page has no final or isolated
// yeh with hamza, and the hamza stands in for them.
char32_t ShapedLetterOf(Byte irCode) {
  return irCode == 143 ? U'\u0626' : LetterOf(CodePage::Ir, irCode);
}

class BothCodePages : public testing::TestWithParam<CodePage> {};

TEST_P(BothCodePages, EveryLetterKeyTypesItsLetter) {
  const TableSet& tables = TableSetOf(GetParam());
  for (const auto& [key, letter] : test::kLayoutLetters) {
    const Byte code = tables.keyMap[static_cast<Byte>(key)];
    EXPECT_EQ(LetterOf(GetParam(), code), letter)
        << "key " << key << " gives code " << int(code);
  }
  const Byte lamAlef = tables.keyMap['G'];
  EXPECT_NE(test::NameOf(UnicodeOf(GetParam(), lamAlef)).find("LAM WITH ALEF"), std::string::npos);
  // With Shift, G and H type what their capitals type, J the tatweel of the underscore.
  EXPECT_EQ(tables.shiftKeyMap['G'], lamAlef);
  EXPECT_EQ(tables.shiftKeyMap['H'], tables.keyMap['H']);
  EXPECT_EQ(tables.shiftKeyMap['J'], tables.keyMap['_']);
  // With Shift the digit and punctuation keys type what they type on a US keyboard
  // (the question mark the Persian one), and some letter keys signs: on I, O and P
  // the Nivo page has Arabic signs of its own.
  const bool nivo = GetParam() == CodePage::Nivo;
  const std::u32string shiftedDigits = U")!@#$%^&*(";
  for (int digit = 0; digit < 10; ++digit) EXPECT_EQ(UnicodeOf(GetParam(), tables.shiftKeyMap['0' + digit]), shiftedDigits[digit]);
  const std::pair<int, char32_t> shifted[] = {
      {186, ':'}, {187, '+'}, {188, '<'}, {189, '_'}, {190, '>'}, {191, U'\u061F'}, {192, '~'}, {219, '{'}, {220, '|'},
      {221, '}'}, {222, '"'}, {'C', '['}, {'V', ']'}, {'L', '\\'}, {'U', '\''}, {'K', U'\u060C'},
      {'I', nivo ? U'\u066B' : U'%'}, {'O', nivo ? U'\u066D' : U'*'}, {'P', nivo ? U'\u066A' : U';'},
  };
  for (const auto& [key, sign] : shifted) EXPECT_EQ(UnicodeOf(GetParam(), tables.shiftKeyMap[key]), sign) << key;
}

// An uppercase letter types the code of its lowercase letter, but G (lam-alef), H
// (alef madda) and J (tatweel, with Shift), the brackets and braces on A, C, S and V,
// and the Ir E (the theh's initial code, which shaping settles like the final one).
TEST_P(BothCodePages, UppercaseLettersTypeTheirLowercaseLetter) {
  const TableSet& tables = TableSetOf(GetParam());
  const std::map<char, char> brackets =
      GetParam() == CodePage::Nivo ? std::map<char, char>{{'A', '['}, {'C', '{'}, {'S', ']'}, {'V', '}'}}
                                   : std::map<char, char>{{'C', '{'}, {'V', '}'}};
  for (char upper = 'A'; upper <= 'Z'; ++upper) {
    const Byte upperCode = tables.keyMap[static_cast<Byte>(upper)];
    const Byte lowerCode = tables.keyMap[static_cast<Byte>(upper + 32)];
    if (brackets.contains(upper)) {
      EXPECT_EQ(upperCode, brackets.at(upper)) << upper;
    } else if (upper == 'E' && GetParam() == CodePage::Ir) {
      EXPECT_EQ(LetterOf(GetParam(), upperCode), LetterOf(GetParam(), lowerCode)) << upper;
    } else if (upper != 'G' && upper != 'H') {
      EXPECT_EQ(upperCode, lowerCode) << upper;
    }
  }
  EXPECT_EQ(tables.keyMap[127], ' ') << "the delete character types a space";
  // The other keys type themselves, but for the question mark (the Persian one), the
  // underscore (the tatweel) and, on the Nivo page, three signs of its own.
  const std::string signs = GetParam() == CodePage::Nivo ? "$&*?_" : "?_";
  for (char key = ' '; key < 127; ++key) {
    const bool letter = std::isalpha(static_cast<unsigned char>(key)) ||
                        std::ranges::any_of(test::kLayoutLetters, [&](const auto& typed) { return typed.key == key; });
    if (!letter && signs.find(key) == std::string::npos) {
      EXPECT_EQ(tables.keyMap[static_cast<Byte>(key)], key) << key;
    }
  }
  EXPECT_EQ(UnicodeOf(GetParam(), tables.keyMap['?']), U'\u061F');
  EXPECT_EQ(UnicodeOf(GetParam(), tables.keyMap['_']), U'\u0640');
}

TEST_P(BothCodePages, JoinClassAgreesWithUnicodeJoiningTypes) {
  const CodePage page = GetParam();
  const TableSet& tables = TableSetOf(page);
  for (int code = 128; code < 256; ++code) {
    const char32_t shown = UnicodeOf(page, static_cast<Byte>(code));
    if (shown >= 0x2500 && shown < 0x2600) continue;  // Ir box drawing
    const std::string name = test::NameOf(shown);
    test::Joining expected = JoiningOf(BaseLetter(shown));
    if (name.find("LAM WITH ALEF") != std::string::npos) expected = test::Joining::Right;
    // Neither code page has a final alef madda. The Ir hamza doubles as the final yeh
    // with hamza, which joins on both sides.
    if (BaseLetter(shown) == U'\u0622') expected = test::Joining::None;
    if (page == CodePage::Ir && code == 143) expected = test::Joining::Dual;
    const Byte joinClass = tables.joinClass[code];
    if (expected == test::Joining::Causing) {
      EXPECT_NE(joinClass, kJoinsNever) << code << " " << name;
    } else {
      EXPECT_EQ(joinClass, expected == test::Joining::Dual ? kJoinsBoth : expected == test::Joining::Right ? kJoinsBefore : kJoinsNever) << code << " " << name;
    }
  }
}

PELIKAR_ON_BOTH_PAGES(BothCodePages);

TEST(IrCodePage, AgreesWithThePublishedIranSystemLayout) {
  const TableSet& ir = IrTableSet();
  for (const auto& fact : test::kIranSystem) {
    SCOPED_TRACE(testing::Message() << "Ir code " << int(fact.code));
    const char32_t shown = UnicodeOf(CodePage::Ir, fact.code);
    if (fact.letter != 0) {
      EXPECT_EQ(BaseLetter(shown), fact.letter);
    }
    // Of the forms a code serves it shows the one that joins on the most sides, so
    // that text drawn from the view joins (the tatweel is its own medial form).
    const int joiningMost = fact.forms.count(kMedial) ? kMedial : fact.forms.count(kFinal) ? kFinal : *fact.forms.begin();
    if (fact.code != 139) {
      EXPECT_EQ(ShownForm(shown), joiningMost);
    }
    EXPECT_TRUE(fact.forms.count(ir.letterForm[fact.code]))
        << "LetterForm " << int(ir.letterForm[fact.code]);
    // The only code of its letter is its code in any form asked (but the hamza and
    // the yeh with hamza, which share their forms, and the no-break space).
    const bool only = std::u32string_view(U"\u00A0\u0621\u0626").find(fact.letter) == std::u32string_view::npos &&
                      std::ranges::count_if(test::kIranSystem, [&](const auto& other) { return other.letter == fact.letter; }) == 1;
    for (int form = kInitial; form <= kIsolated; ++form) {
      if (only || (fact.forms.count(form) && (HasForm(ir, fact.code, form) || form == kIsolated))) {
        EXPECT_EQ(ToForm(ir, fact.code, form), fact.code) << "form " << form;
      }
    }
  }
}

TEST(IrCodePage, BoxDrawingCodesAreNoLetters) {
  for (int code = 176; code < 224; ++code) {
    const char32_t shown = UnicodeOf(CodePage::Ir, static_cast<Byte>(code));
    EXPECT_TRUE(shown >= 0x2500 && shown < 0x25A0) << code;
    EXPECT_EQ(IrTableSet().joinClass[code], kJoinsNever);
    EXPECT_EQ(IrToNivoMap[code], ' ');
  }
}

TEST(NivoCodePage, EachCodeShowsItsLetterInItsForm) {
  const TableSet& nivo = NivoTableSet();
  for (int code = 128; code < 256; ++code) {
    SCOPED_TRACE(testing::Message() << "Nivo code " << code);
    const char32_t shown = UnicodeOf(CodePage::Nivo, static_cast<Byte>(code));
    if (code == 133) continue;  // the tatweel is its own medial form
    EXPECT_EQ(ShownForm(shown), nivo.letterForm[code]);
    if (code == 130 || code == 255) continue;  // nothing inside a span types these
    // the key of the code types the same letter again
    const Byte typed = nivo.keyMap[NivoToKeyMap[code]];
    EXPECT_EQ(BaseLetter(UnicodeOf(CodePage::Nivo, typed)), BaseLetter(shown))
        << "key " << NivoToKeyMap[code];
  }
}

TEST(NivoCodePage, IrCodesMapToTheSameLetterInTheirForm) {
  for (const auto& fact : test::kIranSystem) {
    SCOPED_TRACE(testing::Message() << "Ir code " << int(fact.code));
    const Byte nivo = IrToNivoMap[fact.code];
    if (fact.code < 138) {
      EXPECT_EQ(nivo, '0' + fact.code - 128) << "Ir digits become ASCII digits";
      continue;
    }
    EXPECT_EQ(LetterOf(CodePage::Nivo, nivo), ShapedLetterOf(fact.code));
    // Of the forms the code serves, the one that joins on the fewest sides.
    const int fewest = fact.forms.count(kIsolated) ? kIsolated : *fact.forms.begin();
    EXPECT_EQ(ShownForm(UnicodeOf(CodePage::Nivo, nivo)), fewest) << "Nivo " << int(nivo);
  }
}

TEST(NivoCodePage, AlphabetMapCountsThePersianAlphabetInIsolatedForms) {
  ASSERT_EQ(test::kAlphabet.size(), 34u);
  for (int n = 1; n <= 34; ++n) {
    const char32_t shown = UnicodeOf(CodePage::Nivo, AlphabetMap[n]);
    // The hamza is written with the yeh with hamza's isolated code.
    const char32_t expected = test::kAlphabet[n - 1] == U'\u0621' ? U'\u0626' : test::kAlphabet[n - 1];
    EXPECT_EQ(BaseLetter(shown), expected) << "letter " << n;
    EXPECT_EQ(ShownForm(shown), kIsolated) << "letter " << n;
  }
}

// Typed Persian sentences converted by the engine, checked letter by letter against
// an independent joining model built from Unicode's joining types: a letter joins the
// one before it when that one joins forward and it joins backward.
using test::Joining;

// A key and its letter; 0 for a character that is no letter (space, digit).
using TypedLetter = test::KeyLetter;

// Neither code page has a final alef madda.
Joining JoiningForCodePages(char32_t letter) { return letter == 0 || letter == U'\u0622' ? Joining::None : test::JoiningOf(letter); }

bool JoinsForward(Joining j) { return j == Joining::Dual || j == Joining::Causing; }
bool JoinsBackward(Joining j) { return j != Joining::None; }

// The form of each letter of a text in reading order.
std::vector<int> ExpectedForms(const std::vector<TypedLetter>& text) {
  std::vector<int> forms;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const Joining self = JoiningForCodePages(text[i].letter);
    const bool joinsPrevious = i > 0 && JoinsForward(JoiningForCodePages(text[i - 1].letter)) && JoinsBackward(self);
    const bool joinsNext = i + 1 < text.size() && JoinsForward(self) && JoinsBackward(JoiningForCodePages(text[i + 1].letter));
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

std::vector<TypedLetter> RandomSentence(std::mt19937& random) {
  static const std::vector<TypedLetter> letters = [] {
    std::vector<TypedLetter> keys = test::kLayoutLetters;
    keys.push_back({'J', U'\u0640'});
    return keys;
  }();
  std::vector<TypedLetter> text;
  for (const auto& word : test::RandomWords(random, letters, {"", "", "", "", "", "", "", "0123456789"})) {
    if (!text.empty()) text.push_back({' ', 0});
    text.insert(text.end(), word.begin(), word.end());
  }
  return text;
}

class JoiningOracle : public testing::TestWithParam<CodePage> {};

TEST_P(JoiningOracle, EveryLetterOfRandomSentencesTakesItsJoiningForm) {
  std::mt19937 random(20261206);
  for (int round = 0; round < 3000; ++round) {
    const std::vector<TypedLetter> text = RandomSentence(random);
    CodeString typed = "~";
    for (const auto& t : text) typed += t.key;
    typed += "~";
    const CodeString expected = ExpectedVisual(GetParam(), text);
    ASSERT_EQ(test::CodesOf(ConvertText(typed, GetParam())), test::CodesOf(expected)) << "typed " << typed;
  }
}

PELIKAR_ON_BOTH_PAGES(JoiningOracle);

}  // namespace
}  // namespace pelikar::encoding
