// The date subcommands: either calendar recognised by the form of the date, many
// dates from standard input, rejected dates reported while the others are answered.
// The conversions and texts themselves are tested in the core.
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

TEST(Dates, EachCommandTakesADateOfEitherCalendar) {
  const struct {
    std::vector<std::string> arguments;
    std::string expected;  // standard output
  } cases[] = {
      // Each argument is a date of its own, in either calendar.
      {{"date", "1370/10/11", "20/03/2024"}, "01/01/1992\n1403/01/01\n"},
      // Blanks around, and no separators (day first).
      {{"date", " 1370/10/5 "}, "26/12/1991\n"},
      {{"date", "0110111992"}, "1370/10/11\n"},
      {{"weekday", "01/01/1992"}, kWednesday + "\n"},
      {{"month", "1403/01/01", "1370/10/11"}, kFarvardin + "\n" + kDey + "\n"},
      // Before 1622 the Shamsi year has three digits: 378/10/11.
      {{"month", "01/01/1000"}, kDey + "\n"},
      {{"spell-date", "01/01/1992"}, calendar::SpellDate("1370/10/11") + "\n"},
  };
  for (const auto& c : cases) ExpectAnswer(c.arguments, c.expected);
}

constexpr const char* kShamsiForm = " is not a valid Shamsi date (yyyy/mm/dd, years 1 to 1500)\n";
constexpr const char* kMiladiForm = " is not a valid Miladi date (dd/mm/yyyy, years 1 to 2100)\n";

// A rejected date is named and gives an empty line, so that the answers stay in line
// with the dates; the others are still answered, and the status tells at the end.
TEST(Dates, RejectedArgumentsAreNamedAndFail) {
  const struct {
    std::vector<std::string> arguments;
    std::string out;
    std::string err;
  } cases[] = {
      {{"date", "1370-10-11"}, "\n", std::string("pelikar: '1370-10-11'") + kShamsiForm},
      {{"date", ""}, "\n", std::string("pelikar: ''") + kMiladiForm},
      {{"date", "1370/10/11", "1404/12/30"},
       "01/01/1992\n\n",
       std::string("pelikar: '1404/12/30'") + kShamsiForm},
      // The texts take valid dates only, though the month would be shown anyway; and a
      // Miladi date may convert to a Shamsi year before the first.
      {{"month", "1370/13/01"}, "\n", std::string("pelikar: '1370/13/01'") + kShamsiForm},
      {{"month", "01/01/92"}, "\n", std::string("pelikar: '01/01/92'") + kMiladiForm},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Shown(c.arguments));
    ToolRun run = RunTool(c.arguments);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.err, c.err);
  }
}

TEST(DateBatch, ConvertsEveryLineAndKeepsBlankLines) {
  ToolRun run = RunTool({"date"}, WithInput("1370/10/11\n01/01/1992\r\n\n  \n20/03/2024"));
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "01/01/1992\n1370/10/11\n\n\n1403/01/01\n");
  EXPECT_EQ(run.err, "");
}

TEST(DateBatch, ReportsRejectedLinesAndAnswersTheOthers) {
  ToolRun run = RunTool({"date"}, WithInput("1370/10/11\n1370/13/01\n31/04/2024\n01/01/1992\n"));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "01/01/1992\n\n\n1370/10/11\n");
  EXPECT_EQ(run.err, std::string("pelikar: line 2: '1370/13/01'") + kShamsiForm +
                         "pelikar: line 3: '31/04/2024'" + kMiladiForm);
}

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

// The calendar texts are rendered as other Persian results; dates are plain ASCII,
// the same on a terminal (and date takes no rendering options; see the errors).
TEST(DateRendering, OnlyTheCalendarTextsAreRendered) {
  const std::string rendered = encoding::RenderUtf8(kWednesday, CodePage::Nivo) + "\n";
  EXPECT_EQ(RunTool({"weekday", "1370/10/11"}, OnTerminal(kStdoutTerminal)).terminal, rendered);
  EXPECT_EQ(RunTool({"weekday", "--unicode", "1370/10/11"}).out, rendered);
  EXPECT_EQ(RunTool({"weekday", "--raw", "1370/10/11"}, OnTerminal(kStdoutTerminal)).terminal,
            kWednesday + "\n");
  EXPECT_EQ(RunTool({"date", "1370/10/11"}, OnTerminal(kStdoutTerminal)).terminal, "01/01/1992\n");
}

}  // namespace
}  // namespace pelikar::cli_test
