// Where the result goes decides its form: code-page bytes into a file or pipe, the
// readable UTF-8 rendering on a terminal, and --raw / --unicode overrule both.
#include <gtest/gtest.h>

#include "encoding/unicode_view.h"
#include "run_tool.h"

namespace pelikar::cli_test {
namespace {

using encoding::CodePage;
using encoding::RenderUtf8;

// Each subcommand renders in the code page of its result, or in the one asked for.
TEST(Rendering, UnicodeUsesTheResultsCodePage) {
  const struct {
    std::vector<std::string> arguments;
    std::string result;  // the codes the subcommand produces
    CodePage page;       // the page they are rendered in
  } cases[] = {
      {{"nivo", "~fff~"}, Codes({143, 142, 141}), CodePage::Nivo},
      {{"ir", "~fff~"}, Codes({146, 147, 147}), CodePage::Ir},
      {{"reverse", Codes({146, 141})}, Codes({141, 146}), CodePage::Nivo},
      {{"reverse", "--code-page", "ir", Codes({146, 141})}, Codes({141, 146}), CodePage::Ir},
      {{"from-codes", "--code-page=ir", "146147"}, Codes({146, 147}), CodePage::Ir},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Shown(c.arguments));
    std::vector<std::string> arguments = c.arguments;
    arguments.push_back("--unicode");
    ToolRun run = RunTool(arguments);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, RenderUtf8(c.result, c.page) + "\n");
  }
}

TEST(Rendering, TerminalGetsTheRenderingAndRawOverrulesIt) {
  ToolRun shown = RunTool({"nivo", "~fff~"}, OnTerminal(kStdoutTerminal));
  EXPECT_EQ(shown.status, 0);
  EXPECT_EQ(shown.terminal, RenderUtf8(Codes({143, 142, 141}), CodePage::Nivo) + "\n");

  ToolRun raw = RunTool({"nivo", "--raw", "~fff~"}, OnTerminal(kStdoutTerminal));
  EXPECT_EQ(raw.terminal, Codes({143, 142, 141, '\n'}));
}

// A rendering pasted back in reads as the codes it shows.
TEST(FromUnicode, RenderingReadsBackAsCodes) {
  std::string rendered = RunTool({"nivo", "--unicode", "~sghl n,sj~"}).out;
  ToolRun typed = RunTool({"typed", "--from-unicode"}, WithInput(rendered));
  EXPECT_EQ(typed.status, 0) << typed.err;
  EXPECT_EQ(typed.out, "~sghl n,sj~\n");

  std::string irRendered = RunTool({"ir", "--unicode", "~fff~"}).out;
  ToolRun reversed =
      RunTool({"reverse", "--from-unicode", "--code-page", "ir"}, WithInput(irRendered));
  EXPECT_EQ(reversed.out, Codes({147, 147, 146, '\n'}));
}

TEST(FromUnicode, RefusesWhatTheCodePageCannotShow) {
  ToolRun notUtf8 = RunTool({"typed", "--from-unicode", Codes({143, 142})});
  EXPECT_EQ(notUtf8.status, 1);
  EXPECT_NE(notUtf8.err.find("not UTF-8"), std::string::npos) << notUtf8.err;

  ToolRun noCode =
      RunTool({"typed", "--from-unicode"}, WithInput("ok\n\xE2\x82\xAC\n"));  // the euro sign
  EXPECT_EQ(noCode.status, 1);
  EXPECT_EQ(noCode.err, "pelikar: line 2: U+20AC has no code in the Nivo code page\n");
  EXPECT_EQ(noCode.out, "");
}

}  // namespace
}  // namespace pelikar::cli_test
