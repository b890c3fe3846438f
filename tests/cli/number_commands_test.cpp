// pelikar spell: numbers from the arguments or standard input, in Persian words.
// The words themselves are the core's; here the numbers are read and handed over.
#include <gtest/gtest.h>

#include "encoding/unicode_view.h"
#include "numbers/spell_number.h"
#include "run_tool.h"

namespace pelikar::cli_test {
namespace {

using numbers::SpellNum;

TEST(Spell, ReadsEachArgumentAsTheHostReadsANumber) {
  const struct {
    std::vector<std::string> arguments;
    std::string expected;  // standard output
  } cases[] = {
      // A negative number is no option, and -- ends the options anyway.
      {{"spell", "-5"}, SpellNum(-5) + "\n"},
      {{"spell", "--", "-12.9"}, SpellNum(-12) + "\n"},
      {{"spell", " 0.7 "}, "ZERO\n"},
      {{"spell", "&H10"}, SpellNum(16) + "\n"},
      {{"spell", "1", "20"}, SpellNum(1) + "\n" + SpellNum(20) + "\n"},
  };
  for (const auto& c : cases) ExpectAnswer(c.arguments, c.expected);
}

TEST(Spell, SpellsEveryLineOfStandardInput) {
  ToolRun run = RunTool({"spell"}, WithInput("1\r\n-5\n 2147483647 \n0"));
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, SpellNum(1) + "\n" + SpellNum(-5) + "\n" + SpellNum(2147483647) + "\nZERO\n");
}

// A text that is no number stops the run: nothing is written, not
// even the numbers before it.
TEST(Spell, RefusesWhatIsNoNumber) {
  const struct {
    std::vector<std::string> arguments;
    std::string input;
    std::string message;  // standard error, before the hint
  } cases[] = {
      {{"spell", "12abc"}, "", "pelikar: spell: '12abc' is not a number"},
      {{"spell", "nan"}, "", "pelikar: spell: 'nan' is not a number"},
      {{"spell", "1", "two"}, "", "pelikar: spell: 'two' is not a number"},
      {{"spell"}, "1\n\n3\n", "pelikar: line 2: spell: '' is not a number"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Shown(c.arguments) + " < " + Shown({c.input}));
    ToolRun run = RunTool(c.arguments, WithInput(c.input));
    // A word in the command line is a usage error, a line of standard input a failure.
    const bool fromInput = !c.input.empty();
    EXPECT_EQ(run.status, fromInput ? 1 : 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, c.message + (fromInput ? "\n" : "\nTry 'pelikar --help'.\n"));
  }
}

TEST(Spell, TerminalOrUnicodeGetTheRendering) {
  const std::string rendered =
      encoding::RenderUtf8(SpellNum(1234), encoding::CodePage::Nivo) + "\n";
  EXPECT_EQ(RunTool({"spell", "1234"}, OnTerminal(kStdoutTerminal)).terminal, rendered);
  EXPECT_EQ(RunTool({"spell", "--unicode", "1234"}).out, rendered);
}

}  // namespace
}  // namespace pelikar::cli_test
