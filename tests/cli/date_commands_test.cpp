// The date subcommands: either calendar recognised by the form of the date, many
// dates from standard input, rejected dates reported while the others are answered.
#include <ctime>

#include <gtest/gtest.h>

#include "calendar/calendar_texts.h"
#include "encoding/convert_text.h"
#include "encoding/unicode_view.h"
#include "run_tool.h"

namespace pelikar::cli_test {
namespace {

using encoding::CodePage;

// A stored name, as the tool writes it: Nivo text in visual order.
std::string Nivo(const char* typed) { return encoding::ConvertText(typed, CodePage::Nivo); }

const std::string kWednesday = Nivo("~]ihvakfi~");
const std::string kFarvardin = Nivo("~tv,vndk~");
const std::string kDey = Nivo("~nd~");

struct DateCase {
  std::vector<std::string> arguments;
  std::string expected;  // standard output
};

void PrintTo(const DateCase& c, std::ostream* os) { *os << Shown(c.arguments); }

class KnownDates : public testing::TestWithParam<DateCase> {};

TEST_P(KnownDates, GiveTheirAnswer) {
  ToolRun run = RunTool(GetParam().arguments);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, GetParam().expected);
  EXPECT_EQ(run.err, "");
}

INSTANTIATE_TEST_SUITE_P(
    Conversion, KnownDates,
    testing::Values(
        DateCase{{"date", "1370/10/11"}, "01/01/1992\n"},
        DateCase{{"date", "01/01/1992"}, "1370/10/11\n"},
        DateCase{{"date", "1403/01/01"}, "20/03/2024\n"},
        DateCase{{"date", "20/03/2024"}, "1403/01/01\n"},
        // Blanks around, a one-digit day at the end, and no separators (day first).
        DateCase{{"date", " 1370/10/5 "}, "26/12/1991\n"},
        DateCase{{"date", "0110111992"}, "1370/10/11\n"},
        // Each argument is a date of its own, in either calendar.
        DateCase{{"date", "1370/10/11", "20/03/2024"}, "01/01/1992\n1403/01/01\n"}),
    [](const auto& info) { return CaseName(info.index, info.param.arguments); });

// The calendar texts take a date of either calendar.
INSTANTIATE_TEST_SUITE_P(
    Texts, KnownDates,
    testing::Values(
        DateCase{{"weekday", "1370/10/11"}, kWednesday + "\n"},
        DateCase{{"weekday", "01/01/1992"}, kWednesday + "\n"},
        DateCase{{"weekday", "20/03/2024"}, kWednesday + "\n"},
        DateCase{{"month", "1403/01/01"}, kFarvardin + "\n"},
        DateCase{{"month", " 01/01/1992"}, kDey + "\n"},
        DateCase{{"month", "1403/01/01", "1370/10/11"}, kFarvardin + "\n" + kDey + "\n"},
        // Before 1622 the Shamsi year has three digits: 378/10/11.
        DateCase{{"month", "01/01/1000"}, kDey + "\n"},
        DateCase{{"weekday", "01/01/1000"}, kWednesday + "\n"},
        DateCase{{"spell-date", "1370/10/11"}, calendar::SpellDate("1370/10/11") + "\n"},
        DateCase{{"spell-date", "01/01/1992"}, calendar::SpellDate("1370/10/11") + "\n"}),
    [](const auto& info) { return CaseName(info.index, info.param.arguments); });

TEST(DateBatch, ConvertsEveryLineAndKeepsBlankLines) {
  ToolRun run = RunTool({"date"}, WithInput("1370/10/11\n01/01/1992\r\n\n  \n20/03/2024"));
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "01/01/1992\n1370/10/11\n\n\n1403/01/01\n");
  EXPECT_EQ(run.err, "");
}

// Every rejected line is named; its answer is an empty line, so that the answers
// stay in line with the dates, and the status tells at the end.
TEST(DateBatch, ReportsRejectedLinesAndAnswersTheOthers) {
  ToolRun run = RunTool({"date"}, WithInput("1370/10/11\n1370/13/01\n1404/12/30\n31/04/2024\n01/01/1992\n"));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "01/01/1992\n\n\n\n1370/10/11\n");
  EXPECT_EQ(run.err,
            "pelikar: line 2: '1370/13/01' is not a valid Shamsi date (yyyy/mm/dd, years 1 to 1500)\n"
            "pelikar: line 3: '1404/12/30' is not a valid Shamsi date (yyyy/mm/dd, years 1 to 1500)\n"
            "pelikar: line 4: '31/04/2024' is not a valid Miladi date (dd/mm/yyyy, years 1 to 2100)\n");
}

TEST(DateBatch, TextsTreatRejectedDatesAlike) {
  ToolRun run = RunTool({"weekday"}, WithInput("1370/10/11\n1370/1/11\n01/01/1992\n"));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, kWednesday + "\n\n" + kWednesday + "\n");
  EXPECT_EQ(run.err, "pelikar: line 2: '1370/1/11' is not a valid Shamsi date (yyyy/mm/dd, years 1 to 1500)\n");
}

struct RejectedCase {
  std::vector<std::string> arguments;
  std::string expectedOut;
  std::string message;  // standard error
};

void PrintTo(const RejectedCase& c, std::ostream* os) { *os << Shown(c.arguments); }

class RejectedArguments : public testing::TestWithParam<RejectedCase> {};

TEST_P(RejectedArguments, AreNamedAndFail) {
  ToolRun run = RunTool(GetParam().arguments);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, GetParam().expectedOut);
  EXPECT_EQ(run.err, GetParam().message);
}

constexpr const char* kShamsiForm = " is not a valid Shamsi date (yyyy/mm/dd, years 1 to 1500)\n";
constexpr const char* kMiladiForm = " is not a valid Miladi date (dd/mm/yyyy, years 1 to 2100)\n";

INSTANTIATE_TEST_SUITE_P(
    Dates, RejectedArguments,
    testing::Values(
        RejectedCase{{"date", "1370/13/01"}, "\n", std::string("pelikar: '1370/13/01'") + kShamsiForm},
        RejectedCase{{"date", "1370-10-11"}, "\n", std::string("pelikar: '1370-10-11'") + kShamsiForm},
        RejectedCase{{"date", "tomorrow"}, "\n", std::string("pelikar: 'tomorrow'") + kMiladiForm},
        RejectedCase{{"date", ""}, "\n", std::string("pelikar: ''") + kMiladiForm},
        RejectedCase{{"date", "1370/10/11", "1404/12/30"}, "01/01/1992\n\n",
                     std::string("pelikar: '1404/12/30'") + kShamsiForm},
        RejectedCase{{"month", "1370/13/01"}, "\n", std::string("pelikar: '1370/13/01'") + kShamsiForm},
        // Converts, but to a Shamsi year before the first.
        RejectedCase{{"month", "01/01/92"}, "\n", std::string("pelikar: '01/01/92'") + kMiladiForm},
        RejectedCase{{"spell-date", "32/01/1992"}, "\n", std::string("pelikar: '32/01/1992'") + kMiladiForm}),
    [](const auto& info) { return CaseName(info.index, info.param.arguments); });

// Today's date is the Shamsi date of today's Miladi date.
TEST(Today, IsTheShamsiDateOfTheSystemDate) {
  for (int attempt = 0; attempt < 2; ++attempt) {  // once more if midnight passed
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char miladi[16];
    std::strftime(miladi, sizeof miladi, "%d/%m/%Y", &local);
    ToolRun today = RunTool({"today"});
    ToolRun converted = RunTool({"date", miladi});
    if (today.out != converted.out && attempt == 0) continue;
    EXPECT_EQ(today.status, 0) << today.err;
    EXPECT_EQ(today.out, converted.out);
    EXPECT_EQ(today.out.size(), std::string("yyyy/mm/dd\n").size()) << today.out;
  }
}

TEST(DateRendering, CalendarTextsAreRenderedOnATerminalOrWithUnicode) {
  const std::string rendered = encoding::RenderUtf8(kWednesday, CodePage::Nivo) + "\n";
  EXPECT_EQ(RunTool({"weekday", "1370/10/11"}, OnTerminal(kStdoutTerminal)).terminal, rendered);
  EXPECT_EQ(RunTool({"weekday", "--unicode", "1370/10/11"}).out, rendered);
  EXPECT_EQ(RunTool({"weekday", "--raw", "1370/10/11"}, OnTerminal(kStdoutTerminal)).terminal,
            kWednesday + "\n");
}

// Dates are plain ASCII: the same on a terminal, and no rendering options.
TEST(DateRendering, DatesAreWrittenAsTheyAre) {
  EXPECT_EQ(RunTool({"date", "1370/10/11"}, OnTerminal(kStdoutTerminal)).terminal, "01/01/1992\n");
  ToolRun run = RunTool({"date", "--unicode", "1370/10/11"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "pelikar: date takes no --unicode\nTry 'pelikar --help'.\n");
  EXPECT_EQ(RunTool({"today", "--raw"}).status, 2);
}

TEST(Today, TakesNoArgument) {
  ToolRun run = RunTool({"today", "1370/10/11"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "pelikar: today: unexpected argument '1370/10/11'\nTry 'pelikar --help'.\n");
  EXPECT_EQ(run.out, "");
}

TEST(DateHelp, EveryDateCommandExplainsItself) {
  ToolRun tool = RunTool({"--help"});
  for (const std::string command : {"date", "today", "weekday", "month", "spell-date"}) {
    SCOPED_TRACE(command);
    EXPECT_NE(tool.out.find("\n  " + command + " "), std::string::npos) << "listed by the tool";
    ToolRun run = RunTool({command, "--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.starts_with("Usage: pelikar " + command)) << run.out;
    EXPECT_NE(run.out.find("\nExample:\n  pelikar " + command), std::string::npos) << run.out;
    EXPECT_GT(run.out.size(), 150u) << "a description is missing";
    EXPECT_EQ(run.err, "");
  }
  EXPECT_NE(RunTool({"help", "date"}).out.find("the status is 1"), std::string::npos)
      << "the batch rules are told";
}

}  // namespace
}  // namespace pelikar::cli_test
