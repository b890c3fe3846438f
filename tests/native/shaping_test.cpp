#include "encoding/shaping.h"
#include "encoding/shaping_rules.h"

#include <gtest/gtest.h>

#include <random>

#include "encoding/convert_text.h"
#include "encoding/operations.h"
#include "encoding/tables.h"
#include "test_support.h"

namespace pelikar::encoding {
namespace {

// Which letter a code is: the key that types its letter, through the Nivo code page.
int LetterId(CodePage page, Byte code) {
  if (code < 128) return code;
  if (page == CodePage::Ir) {
    if ((code >= 176 && code < 224) || code == 255) return code;
    code = IrToNivoMap[code];
    if (code < 128) return code;
  }
  return NivoToKeyMap[code];
}

class ShapingProperties : public testing::TestWithParam<CodePage> {};

// The joining rules run directly on codes, as written: the reference for the decision
// tables that ShapeLetter works from.
struct CodeAccess {
  const TableSet& tables;
  Byte* codes[4];
  int Form(detail::Slot s) const { return FormOf(tables, *codes[s]); }
  bool Has(detail::Slot s, int form) const { return HasForm(tables, *codes[s], form); }
  void To(detail::Slot s, int form) { *codes[s] = ToForm(tables, *codes[s], form); }
};

TEST_P(ShapingProperties, DecisionTablesShapeAsTheRulesDo) {
  const TableSet& tables = TableSetOf(GetParam());
  std::mt19937 random(13);
  for (int i = 0; i < 300000; ++i) {
    Byte codes[4], expected[4];
    for (Byte& code : codes)
      code = static_cast<Byte>(random() % 5 == 0 ? random() % 128 : 128 + random() % 128);
    std::copy(std::begin(codes), std::end(codes), std::begin(expected));
    CodeAccess access{tables, {&expected[0], &expected[1], &expected[2], &expected[3]}};
    detail::JoinToPrevious(access);
    detail::JoinToNext(access);
    ShapeLetter(tables, codes[0], codes[1], codes[2], codes[3]);
    ASSERT_EQ(test::CodesOf(CodeString(codes, codes + 3)),
              test::CodesOf(CodeString(expected, expected + 3)));
  }
}

TEST_P(ShapingProperties, ShapeLetterNeverChangesWhichLetterACodeIs) {
  const CodePage page = GetParam();
  const TableSet& tables = TableSetOf(page);
  std::mt19937 random(7);
  const auto randomCode = [&] {
    return static_cast<Byte>(random() % 4 == 0 ? random() % 256 : 128 + random() % 128);
  };
  for (int i = 0; i < 200000; ++i) {
    Byte codes[4] = {randomCode(), randomCode(), randomCode(), randomCode()};
    Byte left = codes[0], current = codes[1], right = codes[2];
    ShapeLetter(tables, left, current, right, codes[3]);
    EXPECT_EQ(LetterId(page, left), LetterId(page, codes[0]));
    EXPECT_EQ(LetterId(page, current), LetterId(page, codes[1]));
    ASSERT_EQ(LetterId(page, right), LetterId(page, codes[2]))
        << int(codes[0]) << " " << int(codes[1]) << " " << int(codes[2]) << " " << int(codes[3]);
  }
}

TEST_P(ShapingProperties, ConvertTextNeverWritesATildeNorGrows) {
  std::mt19937 random(11);
  for (int i = 0; i < 5000; ++i) {
    CodeString input(random() % 40, ' ');
    for (char& c : input) c = CodeChar(random() % 3 == 0 ? '~' : random() % 256);
    const CodeString output = ConvertText(input, GetParam());
    ASSERT_EQ(output.find('~'), CodeString::npos) << testing::PrintToString(test::CodesOf(input));
    ASSERT_LE(output.size(), input.size());
  }
}

INSTANTIATE_TEST_SUITE_P(CodePages, ShapingProperties,
                         testing::Values(CodePage::Nivo, CodePage::Ir), [](const auto& info) {
                           return info.param == CodePage::Nivo ? "Nivo" : "Ir";
                         });

}  // namespace
}  // namespace pelikar::encoding
