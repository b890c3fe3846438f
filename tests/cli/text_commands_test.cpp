// The text subcommands write the operation's codes, byte for byte, into a pipe; their
// text comes from the arguments or, line by line, from standard input. The operations
// themselves are tested in the core; here each subcommand reaches its own.
#include <gtest/gtest.h>

#include "run_tool.h"

namespace pelikar::cli_test {
namespace {

TEST(ArgumentText, EachCommandWritesItsCodesAndANewline) {
  const struct {
    std::vector<std::string> arguments;
    std::string expected;  // standard output
  } cases[] = {
      // Three beh in visual order: final, medial, initial.
      {{"nivo", "~fff~"}, Codes({143, 142, 141, '\n'})},
      {{"ir", "~fff~"}, Codes({146, 147, 147, '\n'})},
      // Several arguments are one text, joined by spaces; for codes, without them.
      {{"nivo", "x", "~ff~"}, Codes({143, 141, ' ', ' ', 'x', '\n'})},
      {{"from-codes", "097", "098"}, "ab\n"},
      {{"typed", Codes({143, 142, 141})}, "~fff~\n"},
      {{"codes", "abc"}, "097098099\n"},
      {{"reverse", "abc"}, "cba\n"},
      {{"letter", "4"}, Codes({144, '\n'})},
      // Beyond the letter's 16-bit argument either way; a negative one after --.
      {{"letter", "99999999999999999999999"}, Codes({254, '\n'})},
      {{"letter", "--", "-40000"}, Codes({134, '\n'})},
  };
  for (const auto& c : cases) ExpectAnswer(c.arguments, c.expected);
}

TEST(StandardInput, ConvertsEachLineByItself) {
  const struct {
    std::vector<std::string> arguments;
    std::string input;
    std::string expected;
  } cases[] = {
      // LF and CR LF end lines, a last line needs no ending, and each line has its
      // own tilde flag: the odd tilde of line 2 does not reach line 3.
      {{"nivo"}, "~f~\r\nf~\nf", Codes({144, '\n', 144, '\n', 'f', '\n'})},
      // A CR stays inside its line, and at the very end.
      {{"codes"}, "a\rb\nc\r", "097013098\n099013\n"},
      {{"reverse"}, "ab\n\ncd\r\n", "ba\n\ndc\n"},
      {{"letter"}, "1\n 34 \n", Codes({134, '\n', 254, '\n'})},
      {{"nivo"}, "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Shown(c.arguments) + " < " + Shown({c.input}));
    ToolRun run = RunTool(c.arguments, WithInput(c.input));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, c.expected);
  }
}

TEST(StandardInput, ArgumentsWinOverStandardInput) {
  EXPECT_EQ(RunTool({"reverse", "ab"}, WithInput("xyz\n")).out, "ba\n");
}

// The tools chain: typed text to Nivo, back to typed text, and to Nivo again.
TEST(StandardInput, NivoTypedNivoRoundTrip) {
  ToolRun nivo = RunTool({"nivo", "~;jhf~"});
  ToolRun back = RunTool({"typed"}, WithInput(nivo.out));
  EXPECT_EQ(back.out, "~;jhf~\n");
  EXPECT_EQ(RunTool({"nivo"}, WithInput(back.out)).out, nivo.out);
}

}  // namespace
}  // namespace pelikar::cli_test
