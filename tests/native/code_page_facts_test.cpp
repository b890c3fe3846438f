// The tables and the Unicode view checked against facts from outside them: the
// keyboard layout, the published Iran System layout, the Persian alphabet, and
// Unicode's own names, decompositions and joining types (through ICU).
#include <gtest/gtest.h>

#include "code_page_facts.h"
#include "encoding/shaping.h"
#include "encoding/tables.h"
#include "test_support.h"
#include "encoding/unicode_view.h"
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

std::string Hex(unsigned value) {
  char text[16];
  std::snprintf(text, sizeof text, "U+%04X", value);
  return text;
}

class BothCodePages : public testing::TestWithParam<CodePage> {};

TEST_P(BothCodePages, EveryLetterKeyTypesItsLetter) {
  const TableSet& tables = TableSetOf(GetParam());
  for (const auto& [key, letter] : test::kLayoutLetters) {
    const Byte code = tables.keyMap[static_cast<Byte>(key)];
    EXPECT_EQ(Hex(LetterOf(GetParam(), code)), Hex(letter))
        << "key " << key << " gives code " << int(code);
  }
  const Byte lamAlef = tables.keyMap['G'];
  EXPECT_NE(test::NameOf(UnicodeOf(GetParam(), lamAlef)).find("LAM WITH ALEF"), std::string::npos);
  EXPECT_EQ(UnicodeOf(GetParam(), tables.shiftKeyMap['J']), U'\u0640')
      << "Shift+J types the tatweel";
}

TEST_P(BothCodePages, UppercaseLettersTypeTheirLowercaseLetter) {
  const TableSet& tables = TableSetOf(GetParam());
  // G (lam-alef), H (alef madda) and J (tatweel) type letters of their own; these
  // type brackets and braces.
  const std::string typesAscii = GetParam() == CodePage::Nivo ? "ACSV" : "CV";
  for (char upper = 'A'; upper <= 'Z'; ++upper) {
    const Byte upperCode = tables.keyMap[static_cast<Byte>(upper)];
    if (std::string("GHJ").find(upper) != std::string::npos) continue;
    if (typesAscii.find(upper) != std::string::npos) {
      EXPECT_LT(upperCode, 128) << upper;
      continue;
    }
    const Byte lowerCode = tables.keyMap[static_cast<Byte>(upper + 32)];
    EXPECT_EQ(Hex(LetterOf(GetParam(), upperCode)), Hex(LetterOf(GetParam(), lowerCode))) << upper;
  }
  EXPECT_EQ(tables.keyMap[127], ' ') << "the delete character types a space";
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
    switch (expected) {
      case test::Joining::Dual: EXPECT_EQ(joinClass, kJoinsBoth) << code << " " << name; break;
      case test::Joining::Right: EXPECT_EQ(joinClass, kJoinsBefore) << code << " " << name; break;
      case test::Joining::Causing: EXPECT_NE(joinClass, kJoinsNever) << code << " " << name; break;
      case test::Joining::None: EXPECT_EQ(joinClass, kJoinsNever) << code << " " << name; break;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(CodePages, BothCodePages, testing::Values(CodePage::Nivo, CodePage::Ir),
                         [](const auto& info) {
                           return info.param == CodePage::Nivo ? "Nivo" : "Ir";
                         });

TEST(IrCodePage, AgreesWithThePublishedIranSystemLayout) {
  const TableSet& ir = IrTableSet();
  for (const auto& fact : test::kIranSystem) {
    SCOPED_TRACE(testing::Message() << "Ir code " << int(fact.code));
    const char32_t shown = UnicodeOf(CodePage::Ir, fact.code);
    if (fact.letter != 0) {
      EXPECT_EQ(Hex(BaseLetter(shown)), Hex(fact.letter));
    }
    // Of the forms a code serves it shows the one that joins on the most sides, so
    // that text drawn from the view joins (the tatweel is its own medial form).
    const int joiningMost = fact.forms.count(kMedial) ? kMedial : fact.forms.count(kFinal) ? kFinal : *fact.forms.begin();
    if (fact.code != 139) {
      EXPECT_EQ(ShownForm(shown), joiningMost);
    }
    EXPECT_TRUE(fact.forms.count(ir.letterForm[fact.code]))
        << "LetterForm " << int(ir.letterForm[fact.code]);
    for (int form : fact.forms) {
      if (HasForm(ir, fact.code, form) || form == kIsolated) {
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

TEST(IrCodePage, ToFormReachesEveryFormOfEveryLetter) {
  const TableSet& ir = IrTableSet();
  for (const auto& fact : test::kIranSystem) {
    if (fact.letter == 0 || ir.joinClass[fact.code] == kJoinsNever) continue;
    for (int form = kInitial; form <= kIsolated; ++form) {
      if (!HasForm(ir, fact.code, form)) continue;
      const Byte other = ToForm(ir, fact.code, form);
      EXPECT_EQ(Hex(ShapedLetterOf(other)), Hex(ShapedLetterOf(fact.code)))
          << int(fact.code) << " to form " << form << " gives " << int(other);
    }
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
    EXPECT_EQ(Hex(BaseLetter(UnicodeOf(CodePage::Nivo, typed))), Hex(BaseLetter(shown)))
        << "key " << NivoToKeyMap[code];
  }
}

TEST(NivoCodePage, IrCodesMapToTheSameLetterInAFormTheyServe) {
  for (const auto& fact : test::kIranSystem) {
    SCOPED_TRACE(testing::Message() << "Ir code " << int(fact.code));
    const Byte nivo = IrToNivoMap[fact.code];
    if (fact.code < 138) {
      EXPECT_EQ(nivo, '0' + fact.code - 128) << "Ir digits become ASCII digits";
      continue;
    }
    EXPECT_EQ(Hex(LetterOf(CodePage::Nivo, nivo)), Hex(ShapedLetterOf(fact.code)));
    EXPECT_TRUE(fact.forms.count(ShownForm(UnicodeOf(CodePage::Nivo, nivo))))
        << "Nivo " << int(nivo);
  }
}

TEST(NivoCodePage, AlphabetMapCountsThePersianAlphabetInIsolatedForms) {
  ASSERT_EQ(test::kAlphabet.size(), 34u);
  for (int n = 1; n <= 34; ++n) {
    const char32_t shown = UnicodeOf(CodePage::Nivo, AlphabetMap[n]);
    // The hamza is written with the yeh with hamza's isolated code.
    const char32_t expected =
        test::kAlphabet[n - 1] == U'\u0621' ? U'\u0626' : test::kAlphabet[n - 1];
    EXPECT_EQ(Hex(BaseLetter(shown)), Hex(expected)) << "letter " << n;
    EXPECT_EQ(ShownForm(shown), kIsolated) << "letter " << n;
  }
}

TEST(UnicodeView, NoTwoCodesOfAPageShowTheSameCharacter) {
  for (CodePage page : {CodePage::Nivo, CodePage::Ir}) {
    std::set<char32_t> seen;
    for (int code = 0; code < 256; ++code) {
      EXPECT_TRUE(seen.insert(UnicodeOf(page, static_cast<Byte>(code))).second) << code;
      Byte back = 0;
      ASSERT_TRUE(CodeOf(page, UnicodeOf(page, static_cast<Byte>(code)), back));
      EXPECT_EQ(back, code);
    }
  }
}

}  // namespace
}  // namespace pelikar::encoding
