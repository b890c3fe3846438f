// Mistakes in the command line end with status 2, failures with status 1; either way
// the message goes to standard error as "pelikar: ..." and standard output stays empty.
#include <gtest/gtest.h>

#include "run_tool.h"

namespace pelikar::cli_test {
namespace {

struct ErrorCase {
  std::vector<std::string> arguments;
  std::string input;
  int status;
  std::string message;  // the first line of standard error, or how it starts
  std::string ending = {};  // and how it ends, when the core adds details between
};

void PrintTo(const ErrorCase& c, std::ostream* os) { *os << Shown(c.arguments) << " < " << Shown({c.input}); }

class Errors : public testing::TestWithParam<ErrorCase> {};

TEST_P(Errors, ReportStatusAndMessage) {
  const ErrorCase& c = GetParam();
  ToolRun run = RunTool(c.arguments, WithInput(c.input));
  EXPECT_EQ(run.status, c.status);
  std::string firstLine = run.err.substr(0, run.err.find('\n'));
  if (c.ending.empty()) {
    EXPECT_EQ(firstLine, c.message);
  } else {
    EXPECT_TRUE(firstLine.starts_with(c.message)) << firstLine;
    EXPECT_TRUE(firstLine.ends_with(c.ending)) << firstLine;
  }
  EXPECT_EQ(run.out, "") << "nothing may be half-written";
  if (c.status == 2) {
    EXPECT_TRUE(run.err.ends_with("Try 'pelikar --help'.\n")) << run.err;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Usage, Errors,
    testing::Values(
        ErrorCase{{}, "", 2, "pelikar: missing command"},
        ErrorCase{{"bogus"}, "", 2, "pelikar: unknown command 'bogus'"},
        ErrorCase{{"help", "bogus"}, "", 2, "pelikar: unknown command 'bogus'"},
        ErrorCase{{"nivo", "--bogus", "x"}, "", 2, "pelikar: unknown option '--bogus'"},
        ErrorCase{{"nivo", "-x"}, "", 2, "pelikar: unknown option '-x'"},
        ErrorCase{{"nivo", "--raw", "--unicode", "x"}, "", 2, "pelikar: --raw and --unicode exclude each other"},
        ErrorCase{{"nivo", "--raw=yes", "x"}, "", 2, "pelikar: option --raw takes no value"},
        ErrorCase{{"nivo", "--code-page", "ir", "x"}, "", 2, "pelikar: nivo takes no --code-page"},
        ErrorCase{{"letter", "--from-unicode", "1"}, "", 2, "pelikar: letter takes no --from-unicode"},
        ErrorCase{{"convert-file", "--unicode", "a", "b"}, "", 2, "pelikar: convert-file takes no --unicode"},
        ErrorCase{{"reverse", "--code-page", "utf8", "x"}, "", 2, "pelikar: unknown code page 'utf8' (use nivo or ir)"},
        ErrorCase{{"reverse", "--code-page"}, "", 2, "pelikar: option --code-page needs a value (nivo or ir)"},
        ErrorCase{{"convert-file", "in"}, "", 2, "pelikar: convert-file: missing argument"},
        ErrorCase{{"convert-file", "a", "b", "c"}, "", 2, "pelikar: convert-file: unexpected argument 'c'"},
        ErrorCase{{"letter", "1", "2"}, "", 2, "pelikar: letter: unexpected argument '2'"},
        ErrorCase{{"letter", "one"}, "", 2, "pelikar: letter: 'one' is not a whole number"},
        ErrorCase{{"letter", "1.5"}, "", 2, "pelikar: letter: '1.5' is not a whole number"},
        ErrorCase{{"letter"}, "3\nx\n", 2, "pelikar: line 2: letter: 'x' is not a whole number"},
        ErrorCase{{"nivo", "--version"}, "", 2, "pelikar: --version stands alone"}),
    [](const auto& info) { return CaseName(info.index, info.param.arguments); });

INSTANTIATE_TEST_SUITE_P(
    Failures, Errors,
    testing::Values(
        ErrorCase{{"from-codes", "abc"}, "", 1, "pelikar: Type mismatch", "(run-time error 13)"},
        ErrorCase{{"from-codes", "300"}, "", 1, "pelikar: Invalid procedure call or argument",
                  "(run-time error 5)"},
        ErrorCase{{"from-codes", "065   "}, "", 1, "pelikar: Type mismatch", "(run-time error 13)"},
        // A failure on a later line keeps the earlier lines' results back too.
        ErrorCase{{"from-codes"}, "065\n066\n999\n", 1,
                  "pelikar: line 3: Invalid procedure call or argument", "(run-time error 5)"}),
    [](const auto& info) { return CaseName(info.index, info.param.arguments); });

TEST(Errors, WriteFailureIsReported) {
  ToolRun run = RunTool({"nivo", "~fff~"}, StdoutToFile("/dev/full"));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "pelikar: cannot write standard output: No space left on device\n");
}

}  // namespace
}  // namespace pelikar::cli_test
