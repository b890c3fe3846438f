// Numbers in words, read back as the Persian a person sees in the control.
#include "numbers/spell_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "encoding/tables.h"
#include "persian_reading.h"

namespace pelikar::numbers {
namespace {

struct Spelled {
  double number;
  const char* phrase;  // in reading order
};

void PrintTo(const Spelled& c, std::ostream* os) { *os << testing::PrintToString(c.number); }

constexpr const char* kLargest =
    "دو میلیارد و یکصد و چهل و هفت میلیون و چهارصد و هشتاد و سه هزار و ششصد و چهل و هفت";
constexpr const char* kLargestNegative =
    "منفی دو میلیارد و یکصد و چهل و هفت میلیون و چهارصد و هشتاد و سه هزار و ششصد و چهل و هفت";

class SpellNumReads : public testing::TestWithParam<Spelled> {};

TEST_P(SpellNumReads, AsThePersianPhrase) {
  EXPECT_EQ(test::ReadNivo(SpellNum(GetParam().number)), GetParam().phrase);
}

INSTANTIATE_TEST_SUITE_P(
    BelowOne, SpellNumReads,
    testing::Values(
        // Below 1 the Latin word stands, without the negative word.
        Spelled{0, "ZERO"}, Spelled{0.7, "ZERO"}, Spelled{-0.5, "ZERO"}, Spelled{-0.0, "ZERO"},
        Spelled{std::numeric_limits<double>::denorm_min(), "ZERO"}));

INSTANTIATE_TEST_SUITE_P(
    WholeNumbers, SpellNumReads,
    testing::Values(
        Spelled{1, "یک"}, Spelled{10, "ده"}, Spelled{11, "یازده"},
        // The fraction is dropped, and 12 is one word.
        Spelled{12.9, "دوازده"}, Spelled{19, "نوزده"}, Spelled{20, "بیست"},
        Spelled{21, "بیست و یک"}, Spelled{100, "یکصد"}, Spelled{101, "یکصد و یک"},
        Spelled{110, "یکصد و ده"}, Spelled{115, "یکصد و پانزده"},
        Spelled{999, "نهصد و نود و نه"}, Spelled{1000, "یک هزار"},
        Spelled{1001, "یک هزار و یک"}, Spelled{1100, "یک هزار و یکصد"},
        Spelled{1234, "یک هزار و دویست و سی و چهار"}, Spelled{10100, "ده هزار و یکصد"},
        Spelled{1000000, "یک میلیون"}, Spelled{1001000, "یک میلیون و یک هزار"},
        Spelled{2147483647, kLargest}, Spelled{2147483647.99, kLargest}));

// A hundreds word below a group of zeros keeps its "and".
INSTANTIATE_TEST_SUITE_P(
    AfterEmptyGroups, SpellNumReads,
    testing::Values(Spelled{1000100, "یک میلیون و یکصد"},
                    Spelled{5000966, "پنج میلیون و نهصد و شصت و شش"},
                    Spelled{100000100, "یکصد میلیون و یکصد"},
                    Spelled{1000000200, "یک میلیارد و دویست"},
                    Spelled{1100000000, "یک میلیارد و یکصد میلیون"},
                    Spelled{2000300000, "دو میلیارد و سیصد هزار"}));

INSTANTIATE_TEST_SUITE_P(
    Negative, SpellNumReads,
    testing::Values(Spelled{-5, "منفی پنج"}, Spelled{-12.9, "منفی دوازده"},
                    Spelled{-1000100, "منفی یک میلیون و یکصد"},
                    Spelled{-2147483647, kLargestNegative}));

// Beyond the largest number a fixed text stands, chosen by the sign.
INSTANTIATE_TEST_SUITE_P(
    TooLarge, SpellNumReads,
    testing::Values(Spelled{2147483648, "بیش از 2147483647"},
                    Spelled{1e300, "بیش از 2147483647"},
                    Spelled{std::numeric_limits<double>::infinity(), "بیش از 2147483647"},
                    Spelled{-2147483648, "منفی  کمتر از 2147483647 -"},
                    Spelled{-std::numeric_limits<double>::infinity(), "منفی  کمتر از 2147483647 -"}));

TEST(SpellNum, NotANumberGivesEmptyText) {
  EXPECT_EQ(SpellNum(std::numeric_limits<double>::quiet_NaN()), "");
  EXPECT_EQ(SpellNum(-std::numeric_limits<double>::quiet_NaN()), "");
}

// The words are Nivo codes in visual order: the least significant part first, the
// joiner the isolated waw between blanks.
TEST(SpellNum, IsNivoTextInVisualOrder) {
  const CodeString spelled = SpellNum(21);
  const CodeString one = SpellNum(1), twenty = SpellNum(20);
  EXPECT_EQ(spelled, one + " \xF6 " + twenty);
  EXPECT_TRUE(SpellNum(-21).starts_with(spelled + " "));
}

TEST(SpellNum, LeavesTheNivoTablesActive) {
  encoding::LoadIrTables();
  SpellNum(7);
  EXPECT_EQ(encoding::ActiveTables().codePage, encoding::CodePage::Nivo);
}

}  // namespace
}  // namespace pelikar::numbers
