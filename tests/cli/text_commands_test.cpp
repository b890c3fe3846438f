// The text subcommands write the operation's codes, byte for byte, into a pipe; their
// text comes from the arguments or, line by line, from standard input.
#include <gtest/gtest.h>

#include "run_tool.h"

namespace pelikar::cli_test {
namespace {

struct Case {
  std::vector<std::string> arguments;
  std::string expected;  // standard output
};

void PrintTo(const Case& c, std::ostream* os) { *os << Shown(c.arguments); }

class ArgumentText : public testing::TestWithParam<Case> {};

TEST_P(ArgumentText, WritesCodesAndNewline) {
  ToolRun run = RunTool(GetParam().arguments);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, GetParam().expected);
  EXPECT_EQ(run.err, "");
}

INSTANTIATE_TEST_SUITE_P(
    Conversions, ArgumentText,
    testing::Values(
        // Three beh in visual order: final, medial, initial.
        Case{{"nivo", "~fff~"}, Codes({143, 142, 141, '\n'})},
        Case{{"ir", "~fff~"}, Codes({146, 147, 147, '\n'})},
        // Text outside the span is reversed with the rest.
        Case{{"nivo", "x ~ff~"}, Codes({143, 141, ' ', ' ', 'x', '\n'})},
        // Several arguments are one text, joined by spaces.
        Case{{"nivo", "x", "~ff~"}, Codes({143, 141, ' ', ' ', 'x', '\n'})},
        Case{{"typed", Codes({143, 142, 141})}, "~fff~\n"},
        Case{{"typed", ""}, "~~\n"},
        Case{{"codes", "abc"}, "097098099\n"},
        Case{{"codes", "  a b "}, "097032098\n"},
        Case{{"from-codes", "097098099"}, "abc\n"},
        Case{{"from-codes", "065 65"}, "AA\n"},
        Case{{"from-codes", "097", "098"}, "ab\n"},
        Case{{"from-codes", "141142"}, Codes({141, 142, '\n'})},
        Case{{"reverse", "abc"}, "cba\n"},
        Case{{"reverse", "--code-page", "ir", Codes({146, 147})}, Codes({147, 146, '\n'})},
        // Letters 1-34, clamped on both sides, negative numbers included.
        Case{{"letter", "1"}, Codes({134, '\n'})},
        Case{{"letter", "4"}, Codes({144, '\n'})},
        Case{{"letter", "34"}, Codes({254, '\n'})},
        Case{{"letter", "0"}, Codes({134, '\n'})},
        Case{{"letter", "-5"}, Codes({134, '\n'})},
        Case{{"letter", "1000"}, Codes({254, '\n'})},
        Case{{"letter", "99999999999999999999999"}, Codes({254, '\n'})},
        Case{{"letter", "--", "-40000"}, Codes({134, '\n'})}),
    [](const auto& info) { return CaseName(info.index, info.param.arguments); });

struct LinesCase {
  std::vector<std::string> arguments;
  std::string input;
  std::string expected;
};

void PrintTo(const LinesCase& c, std::ostream* os) { *os << Shown(c.arguments) << " < " << Shown({c.input}); }

class StandardInputLines : public testing::TestWithParam<LinesCase> {};

TEST_P(StandardInputLines, ConvertsEachLineByItself) {
  ToolRun run = RunTool(GetParam().arguments, WithInput(GetParam().input));
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Batch, StandardInputLines,
    testing::Values(
        // LF and CR LF end lines, a last line needs no ending, and each line has its
        // own tilde flag: the odd tilde of line 1 does not reach line 2.
        LinesCase{{"nivo"}, "~f~\r\n~ff~\nx", Codes({144, '\n', 143, 141, '\n', 'x', '\n'})},
        LinesCase{{"nivo"}, "f~\nf\n", Codes({144, '\n', 'f', '\n'})},
        LinesCase{{"ir"}, "~fff~\n~f~\n", Codes({146, 147, 147, '\n', 146, '\n'})},
        // A lone CR stays inside its line.
        LinesCase{{"codes"}, "a\rb\n", "097013098\n"},
        LinesCase{{"codes"}, "a\r", "097013\n"},
        LinesCase{{"reverse"}, "ab\n\ncd\r\n", "ba\n\ndc\n"},
        LinesCase{{"letter"}, "1\n 34 \n0\n", Codes({134, '\n', 254, '\n', 134, '\n'})},
        LinesCase{{"typed"}, Codes({143, 142, 141, '\n', 144}), "~fff~\n~f~\n"},
        LinesCase{{"nivo"}, "", ""},
        LinesCase{{"reverse"}, "\n", "\n"}),
    [](const auto& info) { return CaseName(info.index, info.param.arguments); });

TEST(StandardInput, ArgumentsWinOverStandardInput) {
  ToolRun run = RunTool({"reverse", "ab"}, WithInput("xyz\n"));
  EXPECT_EQ(run.out, "ba\n");
}

TEST(StandardInput, ManyLinesKeepTheirOrder) {
  std::string input, expected;
  for (int i = 0; i < 5000; ++i) {
    input += std::to_string(i) + "\r\n";
    std::string digits = std::to_string(i);
    expected += std::string(digits.rbegin(), digits.rend()) + "\n";
  }
  ToolRun run = RunTool({"reverse"}, WithInput(input));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, expected);
}

// The tools chain: typed text to Nivo, back to typed text, and to Nivo again.
TEST(RoundTrip, NivoTypedNivo) {
  for (std::string typed : {"~sghl~", "~hdvhk~", "~;jhf~", "~fJf~"}) {
    SCOPED_TRACE(typed);
    ToolRun nivo = RunTool({"nivo", typed});
    ToolRun back = RunTool({"typed"}, WithInput(nivo.out));
    EXPECT_EQ(back.out, typed + "\n");
    EXPECT_EQ(RunTool({"nivo"}, WithInput(back.out)).out, nivo.out);
  }
}

TEST(RoundTrip, CodesAndBack) {
  std::string text = Codes({1, 'a', ' ', 128, 200, 255});
  ToolRun codes = RunTool({"codes", text});
  EXPECT_EQ(codes.out, "001097032128200255\n");
  EXPECT_EQ(RunTool({"from-codes"}, WithInput(codes.out)).out, text + "\n");
}

}  // namespace
}  // namespace pelikar::cli_test
