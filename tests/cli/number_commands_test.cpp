// pelikar spell: numbers from the arguments or standard input, in Persian words.
// The words themselves are the core's; here the numbers are read and handed over.
#include <gtest/gtest.h>

#include "encoding/unicode_view.h"
#include "numbers/spell_number.h"
#include "run_tool.h"

namespace pelikar::cli_test {
namespace {

using numbers::SpellNum;

struct SpellCase {
  std::vector<std::string> arguments;
  std::string expected;  // standard output
};

void PrintTo(const SpellCase& c, std::ostream* os) { *os << Shown(c.arguments); }

class SpellNumbers : public testing::TestWithParam<SpellCase> {};

TEST_P(SpellNumbers, WritesTheWords) {
  ToolRun run = RunTool(GetParam().arguments);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, GetParam().expected);
  EXPECT_EQ(run.err, "");
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, SpellNumbers,
    testing::Values(
        SpellCase{{"spell", "21"}, SpellNum(21) + "\n"},
        SpellCase{{"spell", "1000100"}, SpellNum(1000100) + "\n"},
        SpellCase{{"spell", "-5"}, SpellNum(-5) + "\n"},
        SpellCase{{"spell", "--", "-12.9"}, SpellNum(-12) + "\n"},
        SpellCase{{"spell", " 0.7 "}, "ZERO\n"},
        SpellCase{{"spell", "1.5E3"}, SpellNum(1500) + "\n"},
        SpellCase{{"spell", "&H10"}, SpellNum(16) + "\n"},
        SpellCase{{"spell", "2147483648"}, SpellNum(2147483648.0) + "\n"},
        SpellCase{{"spell", "-1e300"}, SpellNum(-1e300) + "\n"},
        SpellCase{{"spell", "1", "20", "300"}, SpellNum(1) + "\n" + SpellNum(20) + "\n" + SpellNum(300) + "\n"}),
    [](const auto& info) { return CaseName(info.index, info.param.arguments); });

TEST(SpellBatch, SpellsEveryLine) {
  ToolRun run = RunTool({"spell"}, WithInput("1\r\n-5\n 2147483647 \n0"));
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, SpellNum(1) + "\n" + SpellNum(-5) + "\n" + SpellNum(2147483647) + "\nZERO\n");
}

struct NotANumber {
  std::vector<std::string> arguments;
  std::string input;
  std::string message;  // the first line of standard error
};

void PrintTo(const NotANumber& c, std::ostream* os) { *os << Shown(c.arguments) << " < " << Shown({c.input}); }

class SpellUsage : public testing::TestWithParam<NotANumber> {};

// A text that is no number is a mistake in the command: nothing is written.
TEST_P(SpellUsage, RefusesWhatIsNoNumber) {
  ToolRun run = RunTool(GetParam().arguments, WithInput(GetParam().input));
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, GetParam().message + "\nTry 'pelikar --help'.\n");
}

INSTANTIATE_TEST_SUITE_P(
    Errors, SpellUsage,
    testing::Values(NotANumber{{"spell", "abc"}, "", "pelikar: spell: 'abc' is not a number"},
                    NotANumber{{"spell", ""}, "", "pelikar: spell: '' is not a number"},
                    NotANumber{{"spell", "12abc"}, "", "pelikar: spell: '12abc' is not a number"},
                    NotANumber{{"spell", "nan"}, "", "pelikar: spell: 'nan' is not a number"},
                    NotANumber{{"spell", "1", "two"}, "", "pelikar: spell: 'two' is not a number"},
                    NotANumber{{"spell"}, "1\n\n3\n", "pelikar: line 2: spell: '' is not a number"},
                    NotANumber{{"spell", "--code-page", "ir", "1"}, "", "pelikar: spell takes no --code-page"}),
    [](const auto& info) { return CaseName(info.index, info.param.arguments); });

TEST(SpellRendering, TerminalOrUnicodeGetTheRendering) {
  const std::string rendered = encoding::RenderUtf8(SpellNum(1234), encoding::CodePage::Nivo) + "\n";
  EXPECT_EQ(RunTool({"spell", "1234"}, OnTerminal(kStdoutTerminal)).terminal, rendered);
  EXPECT_EQ(RunTool({"spell", "--unicode", "1234"}).out, rendered);
}

TEST(SpellHelp, ExplainsItself) {
  ToolRun run = RunTool({"spell", "--help"});
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(run.out.starts_with("Usage: pelikar spell [OPTIONS] [NUMBER...]\n")) << run.out;
  EXPECT_NE(run.out.find("\nExample:\n  pelikar spell "), std::string::npos) << run.out;
  EXPECT_NE(RunTool({"--help"}).out.find("\n  spell "), std::string::npos);
}

}  // namespace
}  // namespace pelikar::cli_test
