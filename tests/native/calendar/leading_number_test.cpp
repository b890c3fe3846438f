#include "common/leading_number.h"

#include <gtest/gtest.h>

#include <string>

#include "common/run_time_error.h"

namespace pelikar {
namespace {

struct Case {
  const char* name;
  const char* text;
  double value;
};

class LeadingNumberCases : public testing::TestWithParam<Case> {};
TEST_P(LeadingNumberCases, ReadsTheNumberTheTextBeginsWith) {
  EXPECT_EQ(LeadingNumber(GetParam().text), GetParam().value);
}

const Case kCases[] = {
    {"Empty", "", 0},
    {"NoNumber", "abc", 0},
    {"SlashFirst", "/5", 0},
    {"Digits", "12", 12},
    {"DigitThenSlash", "1/", 1},
    {"TrailingText", "12abc", 12},
    {"LeadingBlanksAndTab", " \t 7x", 7},
    {"BlanksInsideArePassedOver", "1 2", 12},
    {"BlankAfterTheSign", "- 3", -3},
    {"Negative", "-3", -3},
    {"Plus", "+4", 4},
    {"SignAlone", "-", 0},
    {"Fraction", "1.5x", 1.5},
    {"FractionOnly", ".5", 0.5},
    {"TrailingPoint", "5.", 5},
    {"SecondPointEnds", "1.2.3", 1.2},
    {"Exponent", "1e2", 100},
    {"ExponentD", "2D3", 2000},
    {"NegativeExponent", "25E-1", 2.5},
    {"ExponentWithoutDigits", "1e", 1},
    {"NoHexadecimal", "&H10", 0},
    {"TinyIsZero", "1e-400", 0},
};
INSTANTIATE_TEST_SUITE_P(Cases, LeadingNumberCases, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LeadingNumber, BeyondADoubleIsAnOverflow) {
  try {
    LeadingNumber("1e400");
    FAIL() << "no error";
  } catch (const RunTimeError& error) {
    EXPECT_EQ(error.number(), kOverflow);
  }
}

}  // namespace
}  // namespace pelikar
