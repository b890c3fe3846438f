#include "encoding/convert_text.h"

#include <gtest/gtest.h>

#include "encoding/tables.h"
#include "test_support.h"

namespace pelikar::encoding {
namespace {

using test::Codes;
using test::CodesOf;

struct Case {
  const char* name;
  CodePage variant;
  CodeString input;
  CodeString expected;
};

class ConvertTextCases : public testing::TestWithParam<Case> {};

TEST_P(ConvertTextCases, GivesTheShapedVisualText) {
  const Case& c = GetParam();
  EXPECT_EQ(CodesOf(ConvertText(c.input, c.variant)), CodesOf(c.expected));
}

const Case kCases[] = {
    {"Empty", CodePage::Nivo, "", ""},
    {"ThreeBehNivo", CodePage::Nivo, "~fff~", Codes({143, 142, 141})},
    {"ThreeBehIr", CodePage::Ir, "~fff~", Codes({146, 147, 147})},
    {"LatinBeforeSpan", CodePage::Nivo, "x ~ff~", Codes({143, 141, 32, 32, 120})},
    {"DigitsReversed", CodePage::Nivo, "12~f~", Codes({144, 32, 50, 49})},
    {"OddTildeConvertsTheStart", CodePage::Nivo, "ab~cd", Codes({'d', 'c', 32, 175, 187})},
    {"OutsideSpansUnchangedButReversed", CodePage::Nivo, "abc 12", "21 cba"},
    {"UppercaseJIsTatweelAnywhere", CodePage::Ir, "J", Codes({139})},
    {"ControlCharactersStay", CodePage::Nivo, "~f\tf~", Codes({144, 9, 144})},
    {"SpacesTrimmedAtEndsOnly", CodePage::Nivo, "  a  b  ", "b  a"},
    {"IrBoxDrawingBecomesSpaceInNivo", CodePage::Nivo, Codes({'a', 200, 'b'}), "b a"},
};

INSTANTIATE_TEST_SUITE_P(Engine, ConvertTextCases, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace pelikar::encoding
