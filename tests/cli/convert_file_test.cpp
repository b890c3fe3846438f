// convert-file end to end: the file written, file errors, and a progress display that
// only a terminal ever sees. The conversion's line rules are tested in the core.
#include <gtest/gtest.h>

#include <filesystem>

#include "run_tool.h"
#include "scratch_dir.h"

namespace pelikar::cli_test {
namespace {

// A small file converts silently, with no progress even on a terminal.
TEST(ConvertFile, WritesTheConvertedLinesAndNothingElse) {
  ScratchDir dir;
  std::string in = dir.Write("in.txt", "~fff~\r\nab ~f~");
  ToolRun run = RunTool({"convert-file", in, dir / "out.txt"}, OnTerminal(kStderrTerminal));
  ASSERT_EQ(run.status, 0) << run.terminal;
  EXPECT_EQ(run.out + run.terminal, "");
  // Lines stand in visual order already: Latin text keeps its place.
  EXPECT_EQ(ScratchDir::Read(dir / "out.txt"),
            Codes({143, 142, 141, '\r', '\n', 'a', 'b', ' ', ' ', 144, '\r', '\n'}));
}

TEST(ConvertFile, MayConvertAFileOntoItself) {
  ScratchDir dir;
  std::string file = dir.Write("both", "~fff~\r\n");
  EXPECT_EQ(RunTool({"convert-file", file, file}).status, 0);
  EXPECT_EQ(ScratchDir::Read(file), Codes({143, 142, 141, '\r', '\n'}));
}

TEST(ConvertFile, MissingInputFailsAndCreatesNothing) {
  ScratchDir dir;
  ToolRun run = RunTool({"convert-file", dir / "missing", dir / "out"});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.err.starts_with("pelikar: File not found")) << run.err;
  EXPECT_NE(run.err.find(dir / "missing"), std::string::npos) << "the message names the file";
  EXPECT_TRUE(run.err.ends_with("(run-time error 53)\n")) << run.err;
  EXPECT_FALSE(std::filesystem::exists(dir / "out"));
}

TEST(ConvertFile, UnwritableOutputFailsAndKeepsNothingHalfWritten) {
  ScratchDir dir;
  std::string in = dir.Write("in", "~f~\r\n");
  ToolRun run = RunTool({"convert-file", in, dir / "no-such-dir/out"});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.err.starts_with("pelikar: ")) << run.err;
  EXPECT_NE(run.err.find("(run-time error 76)"), std::string::npos) << run.err;
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / ""), {}), 1)
      << "no partial file is left beside the input";
}

// Big enough for the progress display (over 4 MB).
std::string BigTypedFile(const ScratchDir& dir) {
  std::string line = "salam ~sghl~ 1403 ~hdvhk~ text ~;jhf~\r\n";
  std::string bytes;
  while (bytes.size() < (5u << 20)) bytes += line;
  return dir.Write("big.txt", bytes);
}

TEST(ConvertFileProgress, NeverWrittenToAPipe) {
  ScratchDir dir;
  ToolRun run = RunTool({"convert-file", BigTypedFile(dir), dir / "out"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out + run.err, "");
}

TEST(ConvertFileProgress, ShownOnATerminalAndClearedAtTheEnd) {
  ScratchDir dir;
  ToolRun run =
      RunTool({"convert-file", BigTypedFile(dir), dir / "out"}, OnTerminal(kStderrTerminal));
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.terminal.find("converting:   0% (0.0 of 5.0 MB)"), std::string::npos)
      << run.terminal;
  // The last thing on the line is blanks, and the cursor is back at its start.
  ASSERT_TRUE(run.terminal.ends_with("\r")) << run.terminal;
  std::size_t lastDraw = run.terminal.rfind('\r', run.terminal.size() - 2);
  std::string clearing = run.terminal.substr(lastDraw + 1, run.terminal.size() - lastDraw - 2);
  EXPECT_EQ(clearing.find_first_not_of(' '), std::string::npos) << clearing;
  EXPECT_GE(clearing.size(), std::string("converting:   0% (0.0 of 5.0 MB)").size());
}

}  // namespace
}  // namespace pelikar::cli_test
