// The pelikar tool run as a user runs it: arguments, standard input, and standard
// output and error as files or a terminal (a pseudo-terminal). The conversions
// themselves are tested in the core; here each command reaches its own, reads its
// lines and reports its failures.
#include <fcntl.h>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

#include <gtest/gtest.h>

#include "calendar/calendar_texts.h"
#include "encoding/convert_text.h"
#include "encoding/unicode_view.h"
#include "numbers/spell_number.h"
#include "../native/test_support.h"

namespace pelikar::cli_test {
namespace {

using encoding::CodePage;
using test::ReadFile;

enum Terminal { kNone = 0, kStdout = 1, kStderr = 2 };

struct Result {
  int status = -1;
  std::string out, err, terminal;
};

// Standard input's bytes, or inFile (a file or directory) for standard input; the
// streams that go to one pseudo-terminal; outFile for standard output instead.
Result RunTool(const std::vector<std::string>& arguments, const std::string& input = "", int terminal = kNone,
               const std::string& outFile = "", const std::string& inFile = "") {
  const test::TempDir dir;
  const std::string in = inFile.empty() ? (dir / "in").string() : inFile;
  const std::string out = outFile.empty() ? (dir / "out").string() : outFile, err = (dir / "err").string();
  if (inFile.empty()) test::WriteFile(in, input);
  int master = -1, slave = -1;
  if (terminal != kNone) {
    // A raw terminal passes bytes unchanged, so what reaches it compares exactly.
    openpty(&master, &slave, nullptr, nullptr, nullptr);
    termios modes{};
    tcgetattr(slave, &modes);
    cfmakeraw(&modes);
    tcsetattr(slave, TCSANOW, &modes);
  }
  const pid_t child = fork();
  if (child == 0) {
    const auto file = [](const std::string& name) { return open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644); };
    dup2(open(in.c_str(), O_RDONLY), STDIN_FILENO);
    dup2(terminal & kStdout ? slave : file(out), STDOUT_FILENO);
    dup2(terminal & kStderr ? slave : file(err), STDERR_FILENO);
    std::vector<char*> argv{const_cast<char*>(PELIKAR_TOOL)};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execv(PELIKAR_TOOL, argv.data());
    _exit(127);
  }
  Result run;
  if (slave >= 0) close(slave);
  char buffer[65536];
  // Drained while the tool runs; it ends with EIO once the tool has closed its end.
  for (ssize_t got; master >= 0 && (got = read(master, buffer, sizeof buffer)) != 0;) {
    if (got > 0) run.terminal.append(buffer, static_cast<std::size_t>(got));
    else if (errno != EINTR) break;
  }
  if (master >= 0) close(master);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) continue;
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  if (outFile.empty() && !(terminal & kStdout)) run.out = ReadFile(out);
  if (!(terminal & kStderr)) run.err = ReadFile(err);
  return run;
}

const auto C = test::Codes;
std::string Nivo(const char* typed) { return encoding::ConvertText(typed, CodePage::Nivo); }
std::string Shown(const std::string& nivo) { return encoding::RenderUtf8(nivo, CodePage::Nivo) + "\n"; }

const std::string kSalam = C({240, 235, 183});  // in Nivo's visual order
const std::string kWednesday = Nivo("~]ihvakfi~"), kDey = Nivo("~nd~");
const std::string kShamsiForm = " is not a valid Shamsi date (yyyy/mm/dd, years 1 to 1500)\n";
const std::string kMiladiForm = " is not a valid Miladi date (dd/mm/yyyy, years 1 to 2100)\n";
const std::string kLacksTaMarbuta = " U+0629 has no code in the Ir code page; written as '*'\n";

struct Row {
  std::vector<std::string> arguments;
  std::string input;
  int status;
  std::string out, err;  // a usage error (status 2) adds the hint to err
};

// Mistakes in the command line end with status 2, failures with 1. A failing line of
// standard input keeps back the results before it; a rejected date gives an empty
// line, so that the answers stay in line with the dates.
const Row kRows[] = {
    {{"nivo", "~fff~"}, "", 0, C({143, 142, 141, '\n'}), ""},
    {{"ir", "~fff~"}, "", 0, C({146, 147, 147, '\n'}), ""},
    {{"typed", C({143, 142, 141})}, "", 0, "~fff~\n", ""},
    {{"nivo"}, "~f~\r\nf~\nf", 0, C({144, '\n', 144, '\n', 'f', '\n'}), ""},
    {{"codes"}, "a\rb\nc\r", 0, "097013098\n099013\n", ""},
    {{"letter"}, "1\n 34 \n", 0, C({134, '\n', 254, '\n'}), ""},
    {{"nivo", "--unicode", "~fff~"}, "", 0, Shown(C({143, 142, 141})), ""},
    {{"reverse", "--code-page", "ir", C({146, 141}), "--unicode"}, "", 0, encoding::RenderUtf8(C({141, 146}), CodePage::Ir) + "\n", ""},
    {{"typed", "--from-unicode"}, "ok\n\u20AC\n", 1, "", "pelikar: line 2: U+20AC has no code in the Nivo code page\n"},
    {{"typed", "--from-unicode", C({143, 142})}, "", 1, "", "pelikar: the text is not UTF-8 (byte 1)\n"},
    {{"spell", "-5", " 0.7 ", "&H10"}, "", 0, numbers::SpellNum(-5) + "\nZERO\n" + numbers::SpellNum(16) + "\n", ""},
    {{"to-unicode", "--order=conversion", "--digits=ascii", C({'1', '2', ' ', 144})}, "", 0, "ب 21\n", ""},
    {{"spell", "1", "nan"}, "", 2, "", "pelikar: spell: 'nan' is not a number\n"},
    {{"date", "1370/10/11", "20/03/2024", "0110111992"}, "", 0, "01/01/1992\n1403/01/01\n1370/10/11\n", ""},
    {{"month", "1370/10/11", "01/01/1000"}, "", 0, kDey + "\n" + kDey + "\n", ""},
    {{"spell-date", "01/01/1992"}, "", 0, calendar::SpellDate("1370/10/11") + "\n", ""},
    {{"date", "1370-10-11", ""}, "", 1, "\n\n", "pelikar: '1370-10-11'" + kShamsiForm + "pelikar: ''" + kMiladiForm},
    {{"date"}, "1370/10/11\n01/01/1992\r\n\n  \n20/03/2024", 0, "01/01/1992\n1370/10/11\n\n\n1403/01/01\n", ""},
    {{"date"}, "1370/13/01\n31/04/2024\n01/01/1992\n", 1, "\n\n1370/10/11\n",
     "pelikar: line 1: '1370/13/01'" + kShamsiForm + "pelikar: line 2: '31/04/2024'" + kMiladiForm},
    {{"to-unicode", "--digits", "ascii"}, kSalam + " 12\r\n" + kSalam + "\r" + kSalam, 0, "12 سلام\r\nسلام\rسلام", ""},
    {{"from-unicode", "--raw", "سلام"}, "", 0, kSalam + "\n", ""},
    {{"from-unicode"}, "سلام\r\n\nسلام\r", 0, kSalam + "\r\n\n" + kSalam + "\r", ""},  // a lone CR last
    {{"from-unicode", "--code-page", "ir", "--order", "conversion"}, "ب 12\n", 0, C({'2', '1', ' ', 146, '\n'}), ""},
    {{"from-unicode", "--raw", "--code-page", "ir", "--substitute", "*"}, "ab\ncd\u0629\u0629\n", 0, "ab\n**cd\n",
     "pelikar: line 2, column 3:" + kLacksTaMarbuta + "pelikar: line 2, column 4:" + kLacksTaMarbuta +
         "pelikar: 2 characters could not be expressed in the Ir code page and were written as '*': U+0629 (2)\n"},
    // The line has a ZWNJ before an alef madda, which neither page can show.
    {{"from-unicode", "--check"}, "سلام\nهم\u200Cآهنگ\n", 1, "line 2, column 3: هم\u200Cآهنگ comes back as همآهنگ\n",
     "pelikar: 1 of 2 lines would not come back unchanged\n"},
    {{"--version"}, "", 0, "pelikar " PELIKAR_VERSION "\n", ""},
    {{}, "", 2, "", "pelikar: missing command\n"},
    {{"help", "bogus"}, "", 2, "", "pelikar: unknown command 'bogus'\n"},
    {{"nivo", "-x"}, "", 2, "", "pelikar: unknown option '-x'\n"},
    {{"nivo", "--raw", "--unicode", "x"}, "", 2, "", "pelikar: --raw and --unicode exclude each other\n"},
    {{"convert-file", "in"}, "", 2, "", "pelikar: convert-file: missing argument\n"},
    {{"from-codes"}, "065\n066\n999\n", 1, "", "pelikar: line 3: Invalid procedure call or argument: no character has the code 999 (run-time error 5)\n"},
};

TEST(Tool, AnswersEachRow) {
  for (const Row& row : kRows) {
    SCOPED_TRACE(testing::PrintToString(row.arguments) + " < " + testing::PrintToString(row.input));
    const Result run = RunTool(row.arguments, row.input);
    EXPECT_EQ(run.status, row.status);
    EXPECT_EQ(run.out, row.out);
    EXPECT_EQ(run.err, row.err + (row.status == 2 ? "Try 'pelikar --help'.\n" : ""));
  }
}

// A terminal gets the readable rendering of Persian results, unless --raw; dates stay
// ASCII. A rendering pasted back in reads as the codes it shows.
TEST(Tool, ATerminalGetsTheRendering) {
  EXPECT_EQ(RunTool({"nivo", "~fff~"}, "", kStdout).terminal, Shown(C({143, 142, 141})));
  EXPECT_EQ(RunTool({"weekday", "--raw", "1370/10/11"}, "", kStdout).terminal, kWednesday + "\n");
  EXPECT_EQ(RunTool({"date", "1370/10/11"}, "", kStdout).terminal, "01/01/1992\n");
  const std::string rendering = RunTool({"nivo", "--unicode", "~sghl n,sj~"}).out;
  EXPECT_EQ(RunTool({"typed", "--from-unicode"}, rendering).out, "~sghl n,sj~\n");
}

// Help wins over everything else, so it never waits for input or writes files.
TEST(Tool, EveryCommandExplainsItself) {
  const Result help = RunTool({"--help"});
  ASSERT_EQ(help.status, 0);
  for (const std::string command : {"nivo", "ir", "typed", "codes", "from-codes", "letter", "reverse", "convert-file", "spell",
                                    "date", "today", "weekday", "month", "spell-date", "to-unicode", "from-unicode"}) {
    EXPECT_NE(help.out.find("\n  " + command + " "), std::string::npos) << command;
    const Result run = RunTool({command, "x", "--help"});
    EXPECT_EQ(run.status, 0) << command;
    EXPECT_TRUE(run.out.starts_with("Usage: pelikar " + command + " ")) << run.out;
    // Its example runs it.
    EXPECT_NE(run.out.find("pelikar " + command, run.out.find("\nExample:\n  ")), std::string::npos) << run.out;
    EXPECT_EQ(RunTool({"help", command}).out, run.out);
  }
}

TEST(Tool, ReadAndWriteFailuresAreReported) {
  Result run = RunTool({"nivo", "~fff~"}, "", kNone, "/dev/full");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "pelikar: cannot write standard output: No space left on device\n");
  run = RunTool({"nivo"}, "", kNone, "", "/");  // a directory opens but cannot be read
  EXPECT_EQ(run.status, 1) << "a failed read is no end of input";
  EXPECT_EQ(run.err, "pelikar: cannot read standard input\n");
  EXPECT_EQ(RunTool({"--help"}, "", kNone, "/dev/full").status, 1) << "the help text is output too";
}

TEST(Tool, FilesAreWrittenWholeOrNotAtAll) {
  const test::TempDir dir;
  const auto at = [&](const std::string& name) { return (dir / name).string(); };
  // Lines stand in visual order already: Latin text keeps its place.
  const std::string typed = at("typed.txt"), nivo = at("names.nivo");
  test::WriteFile(typed, "~fff~\r\nab ~f~");
  ASSERT_EQ(RunTool({"convert-file", typed, typed}).status, 0);
  EXPECT_EQ(ReadFile(typed), C({143, 142, 141, '\r', '\n', 'a', 'b', ' ', ' ', 144, '\r', '\n'}));
  // Stored in visual order, a name's amount stands left of it.
  const std::string stored = "1403," + kSalam + "\r\n25," + C({144}) + "\r\n";
  test::WriteFile(nivo, stored);
  ASSERT_EQ(RunTool({"to-unicode", "--input", nivo, "--output", at("names.csv"), "--digits", "ascii"}).status, 0);
  EXPECT_EQ(ReadFile(at("names.csv")), "سلام,1403\r\nب,25\r\n");
  ASSERT_EQ(RunTool({"from-unicode", "--input", at("names.csv"), "--output", nivo}).status, 0);
  EXPECT_EQ(ReadFile(nivo), stored);
  // Failures name the file and the run-time error, and leave no partial file.
  Result run = RunTool({"convert-file", at("missing"), at("out")});
  EXPECT_EQ(run.err, "pelikar: File not found: " + at("missing") + " (run-time error 53)\n");
  run = RunTool({"convert-file", typed, at("no-such-dir/out")});
  EXPECT_NE(run.err.find("(run-time error 76)"), std::string::npos) << run.err;
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 3) << "no partial file is left";
}

// Only a terminal sees the progress of a file big enough for it (over 4 MB), and the
// line is blanked at the end with the cursor back at its start.
TEST(Tool, ProgressIsShownOnATerminalOnly) {
  const test::TempDir dir;
  std::string bytes;
  while (bytes.size() < (5u << 20)) bytes += "salam ~sghl~ 1403 ~hdvhk~ text ~;jhf~\r\n";
  test::WriteFile(dir / "big.txt", bytes);
  const std::vector<std::string> convert = {"convert-file", (dir / "big.txt").string(), (dir / "out").string()};
  const Result quiet = RunTool(convert), run = RunTool(convert, "", kStderr);
  EXPECT_EQ(quiet.status + run.status, 0);
  EXPECT_EQ(quiet.out + quiet.err, "");
  const std::string first = "converting:   0% (0.0 of 5.0 MB)";
  EXPECT_NE(run.terminal.find(first), std::string::npos) << run.terminal;
  const std::size_t lastDraw = run.terminal.rfind('\r', run.terminal.size() - 2);
  EXPECT_EQ(run.terminal.substr(lastDraw), "\r" + std::string(run.terminal.size() - lastDraw - 2, ' ') + "\r");
  EXPECT_GE(run.terminal.size() - lastDraw - 2, first.size());
}

TEST(Tool, TodayIsTheShamsiDateOfTheSystemDate) {
  for (int attempt = 0; attempt < 2; ++attempt) {  // once more if midnight passed
    const std::time_t now = std::time(nullptr);
    char miladi[16];
    std::strftime(miladi, sizeof miladi, "%d/%m/%Y", std::localtime(&now));
    const Result today = RunTool({"today"}), converted = RunTool({"date", miladi});
    if (today.out != converted.out && attempt == 0) continue;
    EXPECT_EQ(today.out, converted.out);
    EXPECT_EQ(today.out.size(), 11u) << today.out;
  }
}

}  // namespace
}  // namespace pelikar::cli_test
