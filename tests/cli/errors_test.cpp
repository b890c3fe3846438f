// Mistakes in the command line end with status 2, failures with status 1; either way
// the message goes to standard error as "pelikar: ..." and standard output stays empty.
#include <gtest/gtest.h>

#include "run_tool.h"

namespace pelikar::cli_test {
namespace {

TEST(Errors, ReportStatusAndMessage) {
  const struct {
    std::vector<std::string> arguments;
    std::string input;
    int status;
    std::string message;      // the first line of standard error, or how it starts
    std::string ending = {};  // and how it ends, when the core adds details between
  } cases[] = {
      {{}, "", 2, "pelikar: missing command"},
      {{"bogus"}, "", 2, "pelikar: unknown command 'bogus'"},
      {{"help", "bogus"}, "", 2, "pelikar: unknown command 'bogus'"},
      {{"nivo", "-x"}, "", 2, "pelikar: unknown option '-x'"},
      {{"nivo", "--raw", "--unicode", "x"},
       "",
       2,
       "pelikar: --raw and --unicode exclude each other"},
      {{"nivo", "--raw=yes", "x"}, "", 2, "pelikar: option --raw takes no value"},
      {{"nivo", "--code-page", "ir", "x"}, "", 2, "pelikar: nivo takes no --code-page"},
      {{"date", "--unicode", "1370/10/11"}, "", 2, "pelikar: date takes no --unicode"},
      {{"reverse", "--code-page", "utf8", "x"},
       "",
       2,
       "pelikar: unknown code page 'utf8' (use nivo or ir)"},
      {{"reverse", "--code-page"}, "", 2, "pelikar: option --code-page needs a value (nivo or ir)"},
      {{"convert-file", "in"}, "", 2, "pelikar: convert-file: missing argument"},
      {{"convert-file", "a", "b", "c"}, "", 2, "pelikar: convert-file: unexpected argument 'c'"},
      {{"today", "1370/10/11"}, "", 2, "pelikar: today: unexpected argument '1370/10/11'"},
      {{"letter", "1.5"}, "", 2, "pelikar: letter: '1.5' is not a whole number"},
      // A line of standard input that cannot be taken fails the run; it is no usage error.
      {{"letter"}, "3\nx\n", 1, "pelikar: line 2: letter: 'x' is not a whole number"},
      {{"nivo", "--version"}, "", 2, "pelikar: --version stands alone"},
      {{"from-codes", "abc"}, "", 1, "pelikar: Type mismatch", "(run-time error 13)"},
      // A failure on a later line keeps the earlier lines' results back too.
      {{"from-codes"},
       "065\n066\n999\n",
       1,
       "pelikar: line 3: Invalid procedure call or argument",
       "(run-time error 5)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Shown(c.arguments) + " < " + Shown({c.input}));
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
      EXPECT_TRUE(run.err.ends_with("\nTry 'pelikar --help'.\n")) << run.err;
    }
  }
}

TEST(Errors, ReadAndWriteFailuresAreReported) {
  ToolRun run = RunTool({"nivo", "~fff~"}, StdoutToFile("/dev/full"));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "pelikar: cannot write standard output: No space left on device\n");
  ToolIo unreadable;
  unreadable.stdinFile = "/";  // a directory opens but cannot be read
  run = RunTool({"nivo"}, unreadable);
  EXPECT_EQ(run.status, 1) << "a failed read is no end of input";
  EXPECT_EQ(run.err, "pelikar: cannot read standard input\n");
  run = RunTool({"--help"}, StdoutToFile("/dev/full"));
  EXPECT_EQ(run.status, 1) << "the help text is output too";
  EXPECT_EQ(run.err, "pelikar: cannot write standard output\n");
}

}  // namespace
}  // namespace pelikar::cli_test
