// to-unicode and from-unicode end to end: texts, standard input and files, line ends
// kept, what a page lacks reported, --check, and the usage they refuse. The bridge's
// conversions themselves are tested in the core.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "run_tool.h"
#include "scratch_dir.h"

namespace pelikar::cli_test {
namespace {

// salam in Nivo, stored in visual order: meem alone, lam-alef final, seen initial.
const std::string kSalam = Codes({240, 235, 183});

TEST(Bridge, TextsAndStandardInputKeepTheirLineEnds) {
  const struct {
    std::vector<std::string> arguments;
    std::string input, expected;
  } cases[] = {
      {{"to-unicode", kSalam}, "", "سلام\n"},
      {{"to-unicode", "--digits", "ascii"}, kSalam + " 12\r\n" + kSalam + "\r" + kSalam + "\n" + kSalam,
       "12 سلام\r\nسلام\rسلام\nسلام"},
      // The conversion engine's order reverses the number too.
      {{"to-unicode", "--order=conversion", "--digits=ascii", Codes({'1', '2', ' ', 144})}, "", "ب 21\n"},
      {{"from-unicode", "--raw", "سلام"}, "", kSalam + "\n"},
      {{"from-unicode"}, "سلام\r\n\nسلام", kSalam + "\r\n\n" + kSalam},
      {{"from-unicode", "--code-page", "ir", "--order", "conversion"}, "ب 12\n", Codes({'2', '1', ' ', 146, '\n'})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Shown(c.arguments));
    ToolRun run = RunTool(c.arguments, WithInput(c.input));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, c.expected);
    EXPECT_EQ(run.err, "");
  }
}

TEST(Bridge, FilesGoThereAndBack) {
  ScratchDir dir;
  // Stored in visual order, a name's amount stands left of it.
  const std::string stored = "1403," + kSalam + "\r\n25," + Codes({144}) + "\r\n";
  const std::string in = dir.Write("names.nivo", stored);
  ToolRun run = RunTool({"to-unicode", "--input", in, "--output", dir / "names.csv", "--digits", "ascii"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ScratchDir::Read(dir / "names.csv"), "سلام,1403\r\nب,25\r\n");
  run = RunTool({"from-unicode", "--input", dir / "names.csv", "--output", dir / "back.nivo"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ScratchDir::Read(dir / "back.nivo"), stored);
  // A file onto itself.
  EXPECT_EQ(RunTool({"to-unicode", "--input", in, "--output", in}).status, 0);
  EXPECT_EQ(ScratchDir::Read(in).substr(0, 8), "سلام");
  EXPECT_EQ(ScratchDir::Read(dir / "back.nivo"), stored);
}

TEST(Bridge, AFailureLeavesTheOutputFileAsItWas) {
  ScratchDir dir;
  const std::string out = dir.Write("out.txt", "old");
  ToolRun run = RunTool({"to-unicode", "--input", dir / "missing", "--output", out});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("(run-time error 53)"), std::string::npos) << run.err;
  EXPECT_EQ(ScratchDir::Read(out), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / ""), {}), 1);
}

TEST(Bridge, WhatAPageLacksIsSubstitutedAndReported) {
  ToolRun run = RunTool({"from-unicode", "--raw", "--code-page", "ir", "--substitute", "*"},
                        WithInput("a\u0629b\nab\ncd\u0629\u0629\n"));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "a*b\nab\n**cd\n");
  EXPECT_EQ(run.err,
            "pelikar: line 1, column 2: U+0629 has no code in the Ir code page; written as '*'\n"
            "pelikar: line 3, column 3: U+0629 has no code in the Ir code page; written as '*'\n"
            "pelikar: line 3, column 4: U+0629 has no code in the Ir code page; written as '*'\n"
            "pelikar: 3 characters could not be expressed in the Ir code page and were written as '*': "
            "U+0629 (3)\n");
}

TEST(Bridge, OnlyTheFirstTenPlacesAreToldOneByOne) {
  ToolRun run = RunTool({"from-unicode", "--raw", "--code-page", "nivo"}, WithInput(std::string(12, '\xFF') + "\n"));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, std::string(12, '?') + "\n");
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 11) << run.err;
  EXPECT_NE(run.err.find("pelikar: line 1, column 10: byte 0xFF is not UTF-8; written as '?'\n"), std::string::npos);
  EXPECT_TRUE(run.err.ends_with("12 characters could not be expressed in the Nivo code page and were written as "
                                "'?': byte 0xFF (12)\n"))
      << run.err;
}

TEST(Bridge, CheckListsTheLinesThatWouldNotComeBack) {
  // Line 2 has a ZWNJ before an alef madda, which neither page can show.
  ToolRun run = RunTool({"from-unicode", "--check"}, WithInput("سلام\nهم\u200Cآهنگ\n"));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "line 2, column 3: هم\u200Cآهنگ comes back as همآهنگ\n");
  EXPECT_EQ(run.err, "pelikar: 1 of 2 lines would not come back unchanged\n");
  run = RunTool({"to-unicode", "--check"}, WithInput(kSalam + "\n" + kSalam + "\n"));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "pelikar: all 2 lines come back unchanged\n");
}

TEST(Bridge, RefusesWhatItCannotDo) {
  const struct {
    std::vector<std::string> arguments;
    std::string message;
  } cases[] = {
      {{"to-unicode", "--check", "--output", "x"}, "pelikar: --check writes no output file\n"},
      {{"from-unicode", "--substitute", "ab"}, "pelikar: --substitute takes one printable ASCII character, not 'ab'\n"},
      {{"to-unicode", "--substitute", "*"}, "pelikar: to-unicode takes no --substitute\n"},
      {{"to-unicode", "--order", "visual"}, "pelikar: unknown order 'visual' (use typed or conversion)\n"},
      {{"to-unicode", "--input", "x", "text"}, "pelikar: to-unicode: a text and --input exclude each other\n"},
      {{"nivo", "--digits", "ascii", "x"}, "pelikar: nivo takes no --digits\n"},
      {{"from-unicode", "--output", "x", "--glyphs", "a"}, "pelikar: --glyphs and --raw are for standard output, not --output\n"},
  };
  for (const auto& c : cases) {
    ToolRun run = RunTool(c.arguments);
    EXPECT_EQ(run.status, 2) << Shown(c.arguments);
    EXPECT_EQ(run.err, c.message + "Try 'pelikar --help'.\n");
  }
}

}  // namespace
}  // namespace pelikar::cli_test
