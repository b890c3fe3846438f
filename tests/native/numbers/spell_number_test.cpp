// Numbers in words, read back as the Persian a person sees in the control. The whole
// numbers are checked against an independent speller in the grammar test; these are
// the edges it does not reach.
#include "numbers/spell_number.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>

#include "encoding/tables.h"
#include "reading.h"

namespace pelikar::numbers {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
const std::string kLargest =
    "دو میلیارد و یکصد و چهل و هفت میلیون و چهارصد و هشتاد و سه هزار و ششصد و چهل و هفت";

TEST(SpellNum, ReadsAsThePersianPhrase) {
  const std::pair<double, std::string> cases[] = {
      // Below 1 the Latin word stands, without the negative word.
      {0.7, "ZERO"},
      {-0.5, "ZERO"},
      {-0.0, "ZERO"},
      // The fraction is dropped.
      {12.9, "دوازده"},
      {2147483647.99, kLargest},
      {-2147483647, "منفی " + kLargest},
      // A hundreds word below a group of zeros keeps its "and".
      {1000100, "یک میلیون و یکصد"},
      {5000966, "پنج میلیون و نهصد و شصت و شش"},
      {100000100, "یکصد میلیون و یکصد"},
      // Beyond the largest number a fixed text stands, chosen by the sign.
      {2147483648, "بیش از 2147483647"},
      {kInfinity, "بیش از 2147483647"},
      {-2147483648, "منفی  کمتر از 2147483647 -"},
      {-kInfinity, "منفی  کمتر از 2147483647 -"},
  };
  for (const auto& [number, phrase] : cases)
    EXPECT_EQ(test::ReadNivo(SpellNum(number)), phrase) << number;
}

TEST(SpellNum, NotANumberGivesEmptyText) {
  EXPECT_EQ(SpellNum(std::numeric_limits<double>::quiet_NaN()), "");
  EXPECT_EQ(SpellNum(-std::numeric_limits<double>::quiet_NaN()), "");
}

}  // namespace
}  // namespace pelikar::numbers
