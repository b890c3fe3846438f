// The date strings and their conversion: the forms read and refused, and the limits.
// Every real day of the Shamsi years 1200 to 1500, and the day after the last of every
// month, are checked against ICU in the oracle test (leap days and the last day
// accepted among them); these cases hold the rest.
#include "calendar/date_conversion.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace pelikar::calendar {
namespace {

using Cases = std::pair<const char*, const char*>[];  // input, expected

TEST(ShamsiToMiladi, GivesTheMiladiStringOrNothing) {
  const Cases cases = {
      {"1370/10/11", "01/01/1992"},
      {"0001/01/01", "21/03/622"},   // year one, and a year of three digits
      {"1501/01/01", ""},
      {"0000/01/01", ""},
      {"1370/00/10", ""},
      {"1370/13/01", ""},
      {"1370/10/00", ""},
      {"1370-10-11", ""},
      {"1370/10 11", ""},
      {"1370/10/1x", ""},
      {"  1370/10/11  ", "01/01/1992"},  // blanks around are trimmed
      {"1370/1/11", ""},  // the fields stand at fixed places
      {"1370/10/5", "26/12/1991"},  // so only the day at the end may be one digit
      {"1370/10/", ""},
      {"70/10/11", ""},
      {"1370110111", "01/01/1992"},  // a digit may stand for a separator
      {"1370/10/11 and so on", "01/01/1992"},  // text beyond ten characters is ignored
      {"", ""},
      {"   ", ""},
  };
  for (const auto& [input, expected] : cases)
    EXPECT_EQ(Shamsi_To_Miladi(input), expected) << '"' << input << '"';
}

TEST(MiladiToShamsi, GivesTheShamsiStringOrNothing) {
  const Cases cases = {
      {"01/01/1992", "1370/10/11"},
      {"01/01/2101", ""},
      {"01/01/0000", ""},
      {"01/00/1992", ""},
      {"01/13/1992", ""},
      {"00/01/1992", ""},
      {"01-01-1992", ""},
      {" 01/01/1992   ", "1370/10/11"},  // blanks around are trimmed
      {"0110111992", "1370/10/11"},      // a digit may stand for a separator
      // A short year is that year, not a year of this century, and gives a Shamsi
      // year before the first.
      {"01/01/92", "-530/10/11"},
      {"01/01/9", "-613/10/11"},
      {"01/01/0001", "-621/10/11"},
      {"1/01/1992", ""},
      {"01/01/19/2", ""},
      {"01/01/1992 12:00", "1370/10/11"},  // text beyond ten characters is ignored
      {"", ""},
  };
  for (const auto& [input, expected] : cases)
    EXPECT_EQ(Miladi_To_Shamsi(input), expected) << '"' << input << '"';
}

}  // namespace
}  // namespace pelikar::calendar
