// The system utilities over in-memory services: binary texts, the delay, wildcards and
// the names the directory search builds and the font installer's decisions. (The same
// members over the real platform, real files and real fonts, the search for files and
// directories among them, the drives and Windows' directories of the prefix, and
// printing without a printer, are the Wine suite's.)
#include <gtest/gtest.h>

#include <bitset>
#include <limits>
#include <string>

#include "../test_support.h"
#include "common/run_time_error.h"
#include "service_doubles.h"
#include "util/binary_text.h"
#include "util/delay.h"
#include "util/directory_search.h"
#include "util/font_installer.h"
#include "util/wildcard.h"

namespace pelikar::util {
namespace {

using pelikar::test::ErrorNumberOf;

// Every byte has its eight digits and comes back; other texts read the first eight
// characters from the left, each digit with its value, anything else as 0.
TEST(BinaryText, EightDigitsFromTheLeft) {
  for (int value = 0; value <= 255; ++value) {
    const CodeString text = DecToBin(static_cast<Byte>(value));
    ASSERT_EQ(text, std::bitset<8>(static_cast<unsigned>(value)).to_string()) << value;
    ASSERT_EQ(BinToDec(text), value) << text;
  }
  const std::pair<CodeView, int> cases[] = {
      {"101", 160}, {"", 0}, {"0000001x", 2}, {"0000000111111", 1}, {"00000090", 18}, {"-0000001", 1},
      {"00000\xB2" "01", 1},  // a superscript two in Latin-1 is no digit
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(BinToDec(text), value) << text;
  // A sum above 255 overflows: 2295, and the three ways to reach 256.
  for (CodeView text : {"99999999", "20000000", "2", "11111112"}) EXPECT_EQ(ErrorNumberOf([&] { BinToDec(text); }), kOverflow) << text;
}

// The start, then readings 0.1 apart until one is the time later; the clock of Delay
// only moves forward, also across midnight. A wait of zero or less takes the start and
// one look; one of no length (NaN, infinity) or a failing clock gives False.
TEST(Delay, WaitsUntilTheTimeHasPassed) {
  const struct { double start, step; float seconds; int fewest, most; } cases[] = {
      {1000.0, 0.1, 0.5f, 6, 7},  {86400.0 - 0.25, 0.05, 0.5f, 1, 12}, {1000.0, 0.1, 0.0f, 2, 2},
      {1000.0, 0.1, -1.0f, 2, 2}, {1000.0, 0.1, -std::numeric_limits<float>::infinity(), 2, 2},
  };
  for (const auto& c : cases) {
    test::SteppingClock clock(c.start, c.step);
    EXPECT_TRUE(Delay(clock, c.seconds)) << c.seconds;
    EXPECT_GE(clock.readings(), c.fewest) << c.seconds;
    EXPECT_LE(clock.readings(), c.most) << c.seconds;
  }
  test::SteppingClock clock(0.0, 0.1);
  EXPECT_FALSE(Delay(clock, std::numeric_limits<float>::quiet_NaN()));
  EXPECT_FALSE(Delay(clock, std::numeric_limits<float>::infinity()));
  EXPECT_EQ(clock.readings(), 0);
  clock.FailAfter(3);
  EXPECT_FALSE(Delay(clock, 10.0f));
}

// A final ".*" also matches a name without extension; a final dot asks for names
// without one. Beyond ASCII only the platform's fold knows the letters: E9/C9 are
// e-acute in code page 1252.
TEST(Paths, WildcardsPatternsRootsAndTheFontInstaller) {
  const struct { CodeView pattern, name; bool matches; } cases[] = {
      {"*", ".", true},           {"*.txt", "readme.txt.bak", false}, {"*.txt", "a.b.txt", true},
      {"re*me.*", "rme.txt", false}, {"*e*e*", "readme", true},     {"*e*e*", "red", false},
      {"**a", "a", true},         {"?", "", false},                   {"file?.txt", "file1.txt", true},
      {"file?.txt", "file12.txt", false}, {"*?", "", false},          {"", "a", false},
      {"*.*", "readme", true},    {"readme.*", "readme2", false},     {"a.*", "ab.c", false},
      {"*.", "readme", true},     {"*.", "a.txt", false},             {"R?ADME.TXT", "readme.txt", true},
      {"\xC9*", "\xE9t\xE9", false},
  };
  for (const auto& c : cases) EXPECT_EQ(WildcardMatch(c.pattern, c.name, test::AsciiCaseFold()), c.matches) << c.pattern << " ~ " << c.name;
  CaseFold latin = test::AsciiCaseFold();
  latin[0xE9] = 0xC9;
  EXPECT_TRUE(WildcardMatch("\xC9*", "\xE9t\xE9", latin));
  // A directory or a bare drive stands for everything in it; the root of a name's drive
  // or share.
  EXPECT_EQ(SearchPattern("C:/data/"), "C:/data/*.*");
  EXPECT_EQ(SearchPattern("C:"), "C:*.*");
  EXPECT_EQ(SearchPattern("C:\\data"), "C:\\data");
  EXPECT_EQ(LastPart("C:*.*"), "*.*");
  EXPECT_EQ(LastPart("a/b"), "b");
  const std::pair<CodeView, CodeView> roots[] = {
      {"d:", "d:\\"}, {"E:\\some\\dir\\file.txt", "E:\\"}, {"\\\\server\\share\\dir", "\\\\server\\share\\"},
      {"\\\\server\\share", "\\\\server\\share\\"}, {"relative\\dir", ""}, {"", ""},
  };
  for (const auto& [name, root] : roots) EXPECT_EQ(VolumeRoot(name), root) << name;
  // A bare name is registered without a copy (a path is copied into the fonts directory
  // and a failing copy shows the installer's box: the Wine suite's, with a real font). An
  // unknown Windows directory shows the installer's five lines, ended by code 13 alone,
  // and gives False.
  EXPECT_EQ(FontCopyTarget("Z:/fonts/x.ttf", "C:\\WINDOWS"), std::nullopt);
  EXPECT_EQ(FontCopyTarget("D:\\x.ttf", "C:\\"), "C:\\FONTS\\x.ttf");
  test::FakeMachine machine;
  test::MemoryFileSystem files;
  test::RecordingFontRegistry fonts;
  test::RecordingMessageBoxes messages;
  const FontInstallServices services{machine, files, fonts, messages};
  EXPECT_TRUE(InstallFont(services, "nivo2.ttf"));
  EXPECT_TRUE(files.copies.empty());
  EXPECT_EQ(fonts.registered, std::vector<CodeString>{"nivo2.ttf"});
  machine.windowsDirectory.clear();
  EXPECT_FALSE(InstallFont(services, "nivo2.ttf"));
  EXPECT_EQ(fonts.broadcasts, 1);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(std::count(messages.shown[0].begin(), messages.shown[0].end(), '\r'), 4) << messages.shown[0];
  EXPECT_EQ(messages.shown[0].find('\n'), std::string::npos);
}

}  // namespace
}  // namespace pelikar::util
