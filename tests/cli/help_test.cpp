// Every subcommand explains itself, and the tool's own help lists them all.
#include <algorithm>

#include <gtest/gtest.h>

#include "run_tool.h"

namespace pelikar::cli_test {
namespace {

const std::vector<std::string> kCommands = {
    "nivo", "ir", "typed", "codes", "from-codes", "letter", "reverse", "convert-file",
    "spell", "date", "today", "weekday", "month", "spell-date"};

TEST(Help, ToolHelpListsEveryCommand) {
  ToolRun run = RunTool({"--help"});
  ASSERT_EQ(run.status, 0);
  EXPECT_TRUE(run.out.starts_with("Usage: pelikar COMMAND"));
  for (const std::string& command : kCommands) {
    EXPECT_NE(run.out.find("\n  " + command + " "), std::string::npos) << command;
  }
  EXPECT_EQ(RunTool({"help"}).out, run.out);
  EXPECT_EQ(run.err, "");
}

TEST(Help, EveryCommandHasUsageDescriptionAndExample) {
  for (const std::string& command : kCommands) {
    SCOPED_TRACE(command);
    ToolRun run = RunTool({command, "--help"});
    ASSERT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.starts_with("Usage: pelikar " + command + " ")) << run.out;
    std::size_t example = run.out.find("\nExample:\n  ");
    ASSERT_NE(example, std::string::npos) << run.out;
    std::string shown = run.out.substr(example);
    std::replace(shown.begin(), shown.end(), '\n', ' ');
    EXPECT_NE(shown.find("pelikar " + command + " "), std::string::npos) << "the example uses it";
    EXPECT_GT(run.out.size(), 150u) << "a description is missing";
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(RunTool({"help", command}).out, run.out);
  }
}

// Help wins over everything else, so it never waits for standard input or writes files.
TEST(Help, HelpOptionDoesNotRunTheCommand) {
  EXPECT_EQ(RunTool({"convert-file", "--help"}).status, 0);
  ToolRun run = RunTool({"from-codes", "abc", "--help"});
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(run.out.starts_with("Usage: pelikar from-codes"));
}

TEST(Help, VersionIsOneLine) {
  ToolRun run = RunTool({"--version"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "pelikar " PELIKAR_VERSION "\n");
}

}  // namespace
}  // namespace pelikar::cli_test
