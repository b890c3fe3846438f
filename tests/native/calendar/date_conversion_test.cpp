// The date strings and their conversion, case by case.
#include "calendar/date_conversion.h"

#include <gtest/gtest.h>

#include <string>

namespace pelikar::calendar {
namespace {

struct Case {
  const char* name;
  const char* input;
  const char* expected;
};

std::string CaseName(const testing::TestParamInfo<Case>& info) { return info.param.name; }

class ShamsiToMiladi : public testing::TestWithParam<Case> {};
TEST_P(ShamsiToMiladi, GivesTheMiladiStringOrNothing) {
  EXPECT_EQ(Shamsi_To_Miladi(GetParam().input), GetParam().expected);
}

const Case kShamsiCases[] = {
    {"NewYear1370", "1370/01/01", "21/03/1991"},
    {"LastDayOf1991", "1370/10/10", "31/12/1991"},
    {"FirstDayOf1992", "1370/10/11", "01/01/1992"},
    {"NewYear1403", "1403/01/01", "20/03/2024"},
    {"TenthMonthAfterALeapYear", "1310/10/11", "02/01/1932"},
    {"TenthMonthOfALeapYear", "1375/10/12", "01/01/1997"},
    {"LeapDay1370", "1370/12/30", "20/03/1992"},
    {"LeapDay1403", "1403/12/30", "20/03/2025"},
    {"LeapDay1408AfterAFiveYearGap", "1408/12/30", "20/03/2030"},
    {"NoLeapDay1369", "1369/12/30", ""},
    {"NoLeapDay1404", "1404/12/30", ""},
    {"NoDay31InTheSeventhMonth", "1370/07/31", ""},
    {"YearOneHasAShortYear", "0001/01/01", "21/03/622"},
    {"LastAcceptedDay", "1500/12/29", "20/03/2122"},
    {"PastTheLastYear", "1501/01/01", ""},
    {"Year0", "0000/01/01", ""},
    {"Month0", "1370/00/10", ""},
    {"Month13", "1370/13/01", ""},
    {"Day0", "1370/10/00", ""},
    {"Day32", "1370/01/32", ""},
    {"Hyphens", "1370-10-11", ""},
    {"BlankInside", "1370/10 11", ""},
    {"LetterInTheDay", "1370/10/1x", ""},
    {"BlanksAroundAreTrimmed", "  1370/10/11  ", "01/01/1992"},
    {"OneDigitMonth", "1370/1/11", ""},
    {"OneDigitDayAtTheEnd", "1370/10/5", "26/12/1991"},
    {"NoDay", "1370/10/", ""},
    {"TwoDigitYear", "70/10/11", ""},
    {"DigitsForSeparators", "1370110111", "01/01/1992"},
    {"TextBeyondTenIsIgnored", "1370/10/11 and so on", "01/01/1992"},
    {"Empty", "", ""},
    {"OnlyBlanks", "   ", ""},
};
INSTANTIATE_TEST_SUITE_P(Cases, ShamsiToMiladi, testing::ValuesIn(kShamsiCases), CaseName);

class MiladiToShamsi : public testing::TestWithParam<Case> {};
TEST_P(MiladiToShamsi, GivesTheShamsiStringOrNothing) {
  EXPECT_EQ(Miladi_To_Shamsi(GetParam().input), GetParam().expected);
}

const Case kMiladiCases[] = {
    {"FirstDayOf1992", "01/01/1992", "1370/10/11"},
    {"NewYear1370", "21/03/1991", "1370/01/01"},
    {"LeapDay1370", "20/03/1992", "1370/12/30"},
    {"NewYear1379", "20/03/2000", "1379/01/01"},
    {"LeapDay2020", "29/02/2020", "1398/12/10"},
    {"LeapDay2000", "29/02/2000", "1378/12/10"},
    {"NoLeapDay2019", "29/02/2019", ""},
    {"NoLeapDay1900", "29/02/1900", ""},
    {"NoLeapDay2100", "29/02/2100", ""},
    {"NoDay31InApril", "31/04/1992", ""},
    {"LastAcceptedDay", "31/12/2100", "1479/10/10"},
    {"PastTheLastYear", "01/01/2101", ""},
    {"Year0", "01/01/0000", ""},
    {"Month0", "01/00/1992", ""},
    {"Month13", "01/13/1992", ""},
    {"Day0", "00/01/1992", ""},
    {"Day32", "32/01/1992", ""},
    {"Hyphens", "01-01-1992", ""},
    {"BlanksAroundAreTrimmed", " 01/01/1992   ", "1370/10/11"},
    {"DigitsForSeparators", "0110111992", "1370/10/11"},
    {"TwoDigitYearIsTheYear92", "01/01/92", "-530/10/11"},
    {"OneDigitYear", "01/01/9", "-613/10/11"},
    {"YearOne", "01/01/0001", "-621/10/11"},
    {"OneDigitDayFirst", "1/01/1992", ""},
    {"SlashInTheYear", "01/01/19/2", ""},
    {"TextBeyondTenIsIgnored", "01/01/1992 12:00", "1370/10/11"},
    {"Empty", "", ""},
};
INSTANTIATE_TEST_SUITE_P(Cases, MiladiToShamsi, testing::ValuesIn(kMiladiCases), CaseName);

}  // namespace
}  // namespace pelikar::calendar
