// The system utilities over in-memory services: binary texts, the delay, wildcards and
// the directory search's rules, the font installer's decisions, the machine members
// above the platform calls, and printing.
#include <gtest/gtest.h>

#include <algorithm>
#include <bitset>
#include <limits>
#include <string>

#include "../test_support.h"
#include "common/run_time_error.h"
#include "service_doubles.h"
#include "util/binary_text.h"
#include "util/delay.h"
#include "util/directory_search.h"
#include "util/drives.h"
#include "util/font_installer.h"
#include "util/print_text.h"
#include "util/whole_text.h"
#include "util/wildcard.h"

namespace pelikar::util {
namespace {

TEST(BinaryText, EveryByteHasItsEightDigitsAndComesBack) {
  for (int value = 0; value <= 255; ++value) {
    const CodeString text = DecToBin(static_cast<Byte>(value));
    ASSERT_EQ(text, std::bitset<8>(static_cast<unsigned>(value)).to_string()) << value;
    ASSERT_EQ(BinToDec(text), value) << text;
  }
}

TEST(BinToDec, ReadsTheFirstEightCharactersFromTheLeft) {
  const struct {
    CodeView text;
    int value;
    const char* why;
  } cases[] = {
      {"101", 160, "a short text reads as padded with 0 on the right"},
      {"", 0, "empty"},
      {"0000001x", 2, "a letter counts 0"},
      {"0000000111111", 1, "the ninth character onwards is ignored"},
      {"00000090", 18, "a digit beyond 1 counts with its value"},
      {"-0000001", 1, "a sign counts 0"},
      {"00000\xB2" "01", 1, "a superscript two in Latin-1 is no digit"},
  };
  for (const auto& c : cases) EXPECT_EQ(BinToDec(c.text), c.value) << c.why << ": " << c.text;
  // A sum above 255 overflows: 2295, and the three ways to reach 256.
  for (CodeView text : {"99999999", "20000000", "2", "11111112"}) {
    EXPECT_EQ(pelikar::test::ErrorNumberOf([&] { BinToDec(text); }), kOverflow) << text;
  }
}

using test::SteppingClock;

// The start, then readings 0.1 apart until one is the time later; a clock of seconds
// since midnight would fall back to 0 across midnight, the clock of Delay only moves
// forward. A wait of zero or less takes the start and one look.
TEST(Delay, WaitsUntilTheTimeHasPassed) {
  const struct {
    double start, step;
    float seconds;
    int fewest, most;
  } cases[] = {
      {1000.0, 0.1, 0.5f, 6, 7},           {86400.0 - 0.25, 0.05, 0.5f, 1, 12},
      {1000.0, 0.1, 0.0f, 2, 2},           {1000.0, 0.1, -0.0f, 2, 2},
      {1000.0, 0.1, -1.0f, 2, 2},          {1000.0, 0.1, -std::numeric_limits<float>::infinity(), 2, 2},
  };
  for (const auto& c : cases) {
    SteppingClock clock(c.start, c.step);
    EXPECT_TRUE(Delay(clock, c.seconds)) << c.seconds;
    EXPECT_GE(clock.readings(), c.fewest) << c.seconds;
    EXPECT_LE(clock.readings(), c.most) << c.seconds;
  }
}

TEST(Delay, AWaitOfNoLengthOrAFailingClockGivesFalse) {
  SteppingClock clock(0.0, 0.1);
  EXPECT_FALSE(Delay(clock, std::numeric_limits<float>::quiet_NaN()));
  EXPECT_FALSE(Delay(clock, std::numeric_limits<float>::infinity()));
  EXPECT_EQ(clock.readings(), 0);
  SteppingClock failing(0.0, 0.1);
  failing.FailAfter(3);
  EXPECT_FALSE(Delay(failing, 10.0f));
}

TEST(WildcardMatch, StarQuestionMarkAndAFinalDotStar) {
  const struct {
    CodeView pattern;
    CodeView name;
    bool matches;
  } cases[] = {
      {"*", ".", true},
      {"*.txt", "readme.txt.bak", false},
      {"*.txt", "a.b.txt", true},
      {"*.htm", "page.html", false},
      {"re*me.*", "rme.txt", false},
      {"*e*e*", "readme", true},
      {"*e*e*", "red", false},
      {"**a", "a", true},
      {"?", "", false},
      {"file?.txt", "file1.txt", true},
      {"file?.txt", "file12.txt", false},
      {"*?", "", false},
      {"", "a", false},
      // A final ".*" also matches a name without extension.
      {"*.*", "readme", true},
      {"readme.*", "readme", true},
      {"readme.*", "readme2", false},
      {"a.*", "ab.c", false},
      // A final dot asks for names without an extension.
      {"*.", "readme", true},
      {"*.", "a.txt", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WildcardMatch(c.pattern, c.name, test::AsciiCaseFold()), c.matches)
        << c.pattern << " ~ " << c.name;
  }
}

TEST(WildcardMatch, LettersCompareThroughTheFold) {
  EXPECT_TRUE(WildcardMatch("*.TXT", "readme.txt", test::AsciiCaseFold()));
  EXPECT_TRUE(WildcardMatch("R?ADME", "readme", test::AsciiCaseFold()));
  // Beyond ASCII only the platform's fold knows the letters: E9/C9 are e-acute in
  // code page 1252.
  EXPECT_FALSE(WildcardMatch("\xC9*", "\xE9t\xE9", test::AsciiCaseFold()));
  CaseFold latin = test::AsciiCaseFold();
  latin[0xE9] = 0xC9;
  EXPECT_TRUE(WildcardMatch("\xC9*", "\xE9t\xE9", latin));
}

using test::MemoryFileSystem;

constexpr std::uint32_t kReadOnly = kReadOnlyAttribute;
constexpr std::uint32_t kHidden = kHiddenAttribute;
constexpr std::uint32_t kSystem = kSystemAttribute;
constexpr std::uint32_t kDirectory = kDirectoryAttribute;
constexpr std::uint32_t kArchive = kArchiveAttribute;

TEST(SearchPattern, ADirectoryOrBareDriveStandsForEverythingInIt) {
  EXPECT_EQ(SearchPattern("C:/data/"), "C:/data/*.*");
  EXPECT_EQ(SearchPattern("C:"), "C:*.*");
  EXPECT_EQ(SearchPattern("C:\\data"), "C:\\data");
  EXPECT_EQ(LastPart("C:*.*"), "*.*");
  EXPECT_EQ(LastPart("a/b"), "b");
  EXPECT_EQ(LastPart("name"), "name");
}

TEST(VolumeRoot, TheRootOfTheDriveOrShare) {
  EXPECT_EQ(VolumeRoot("d:"), "d:\\");
  EXPECT_EQ(VolumeRoot("E:\\some\\dir\\file.txt"), "E:\\");
  EXPECT_EQ(VolumeRoot("\\\\server\\share\\dir"), "\\\\server\\share\\");
  EXPECT_EQ(VolumeRoot("\\\\server\\share"), "\\\\server\\share\\");
  EXPECT_EQ(VolumeRoot("relative\\dir"), "") << "the current drive";
  EXPECT_EQ(VolumeRoot(""), "");
}

class DirectorySearch : public testing::Test {
 protected:
  DirectorySearch() {
    files_.Add("C:\\data\\", ".", kDirectory);
    files_.Add("C:\\data\\", "..", kDirectory);
    files_.Add("C:\\data\\", "hidden.txt", kHidden | kArchive);
    files_.Add("C:\\data\\", "boot.ini", kSystem);
    files_.Add("C:\\data\\", "readme.txt", kArchive);
    files_.Add("C:\\data\\", "locked.txt", kReadOnly);
    files_.Add("C:\\data\\", "page.html", kArchive, "PAGE~1.HTM");
    files_.Add("C:\\data\\", "Long Directory", kDirectory, "LONGDI~1");
    files_.Add("C:\\data\\", "secret", kDirectory | kHidden);
    files_.Add("C:\\data\\", "system", kDirectory | kSystem);
    files_.Add("C:\\data\\", "DISK", kVolumeAttribute);
    files_.Add("C:\\", "data", kDirectory);
    files_.Add("C:\\empty\\", ".", kDirectory);
    files_.Add("C:\\empty\\", "..", kDirectory);
    files_.Add("C:\\hidden only\\", "h.txt", kHidden);
  }

  MemoryFileSystem files_;
};

// Hidden, system and volume entries never count; a file only counts for FileExist,
// a file or a directory for DirExist.
TEST_F(DirectorySearch, FilesAndDirectoriesExistUnlessHidden) {
  const struct {
    CodeView name;
    bool file, directory;
  } cases[] = {
      {"C:\\data\\locked.txt", true, true},   {"C:\\data\\readme.txt", true, true},
      {"C:\\data\\hidden.txt", false, false}, {"C:\\data\\boot.ini", false, false},
      {"C:\\data\\*.ini", false, false},      {"C:\\data\\DISK", false, false},
      {"C:\\data", false, true},              {"C:\\data\\", true, true},
      {"C:\\data\\LONGDI~1", false, true},    // a plain name may be the short one
      {"C:\\data\\secret", false, false},     {"C:\\data\\system", false, false},
      {"C:\\empty\\*", false, true},          {"C:\\empty\\", false, true},  // its "." entry
      {"C:\\hidden only\\*", false, false},   {"", false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FileExist(files_, c.name), c.file) << c.name;
    EXPECT_EQ(DirExist(files_, c.name), c.directory) << c.name;
  }
}

TEST_F(DirectorySearch, TheFirstAdmittedEntryInThePlatformsOrder) {
  EXPECT_EQ(FindFirst(files_, "C:\\data\\*", SearchMask::kFiles), "readme.txt");
  EXPECT_EQ(FindFirst(files_, "C:\\data\\*", SearchMask::kDirectories), ".");
  EXPECT_EQ(FindFirst(files_, "C:\\data\\l*", SearchMask::kFiles), "locked.txt");
  EXPECT_EQ(files_.patterns.back(), "C:\\data\\l*") << "the name goes to the platform as it is";
}

// The platform matches a pattern against the short alias too, so "*.htm" finds
// page.html by its alias PAGE~1.HTM; the search keeps to long names.
TEST_F(DirectorySearch, WildcardsMatchLongNamesOnly) {
  EXPECT_FALSE(FileExist(files_, "C:\\data\\*.htm"));
  EXPECT_TRUE(FileExist(files_, "C:\\data\\*.html"));
  EXPECT_TRUE(FileExist(files_, "C:\\data\\page.*"));
  EXPECT_FALSE(DirExist(files_, "C:\\data\\LONGDI~?"));
  EXPECT_TRUE(DirExist(files_, "C:\\data\\long*"));
}

TEST_F(DirectorySearch, ErrorsOfTheSearchReachTheCaller) {
  EXPECT_THROW(FileExist(files_, "C:\\data\\a|b"), RunTimeError);
  EXPECT_THROW(DirExist(files_, "C:\\a|b\\"), RunTimeError);
}

TEST_F(DirectorySearch, TheVolumeLabelOfTheNamesDrive) {
  files_.labels["D:\\"] = "PERSIAN";
  EXPECT_EQ(VolLabel(files_, "D:\\any\\path"), "PERSIAN");
  EXPECT_EQ(VolLabel(files_, "C:\\"), "");
  EXPECT_EQ(files_.roots, (std::vector<CodeString>{"D:\\", "C:\\"}));
  EXPECT_TRUE(files_.patterns.empty()) << "a label is no directory entry";
}

TEST(FontCopyTarget, ThePartAfterTheLastBackslashInTheFontsDirectory) {
  const struct {
    CodeView fontName;
    CodeView windows;
    std::optional<CodeString> target;
  } cases[] = {
      {"nivo2.ttf", "C:\\WINDOWS", std::nullopt},
      {"Z:/fonts/x.ttf", "C:\\WINDOWS", std::nullopt},  // no backslash: no copy
      {"D:\\a\\b\\c.TTF", "C:\\WINDOWS", "C:\\WINDOWS\\FONTS\\c.TTF"},
      {"D:\\x.ttf", "C:\\", "C:\\FONTS\\x.ttf"},  // Windows at a drive's root
      {"D:\\fonts\\", "C:\\WINDOWS", "C:\\WINDOWS\\FONTS\\"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FontCopyTarget(c.fontName, c.windows), c.target) << c.fontName;
  }
}

class InstallFontTest : public testing::Test {
 protected:
  bool Install(CodeView fontName) {
    return InstallFont({machine_, files_, fonts_, messages_}, fontName);
  }

  test::FakeMachine machine_;
  test::MemoryFileSystem files_;
  test::RecordingFontRegistry fonts_;
  test::RecordingMessageBoxes messages_;
};

// A bare name is registered without a copy; a path is copied, then registered as given.
TEST_F(InstallFontTest, APathIsCopiedThenRegisteredAsGiven) {
  EXPECT_TRUE(Install("nivo2.ttf"));
  EXPECT_TRUE(files_.copies.empty());
  EXPECT_TRUE(Install("D:\\fonts\\x.ttf"));
  EXPECT_EQ(files_.copies, (decltype(files_.copies){{"D:\\fonts\\x.ttf", "C:\\WINDOWS\\FONTS\\x.ttf"}}));
  EXPECT_EQ(fonts_.registered, (std::vector<CodeString>{"nivo2.ttf", "D:\\fonts\\x.ttf"}));
  EXPECT_EQ(fonts_.broadcasts, 2);
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(InstallFontTest, AFailingCopyShowsTheFiveLinesAndGivesFalse) {
  files_.failCopies = true;
  EXPECT_FALSE(Install("D:\\no\\such.ttf"));
  EXPECT_TRUE(fonts_.registered.empty());
  EXPECT_EQ(fonts_.broadcasts, 0);
  // The wording is checked on the platform; here its five lines, ended by code 13 alone.
  ASSERT_EQ(messages_.shown.size(), 1u);
  const std::string& text = messages_.shown[0];
  EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 4) << text;
  EXPECT_EQ(text.find('\n'), std::string::npos) << text;
  EXPECT_NE(text.find("Pelikar font installer"), std::string::npos) << text;
  // An unknown Windows directory is a failing copy.
  files_.failCopies = false;
  machine_.windowsDirectory.clear();
  EXPECT_FALSE(Install("D:\\fonts\\x.ttf"));
  EXPECT_TRUE(files_.copies.empty());
  EXPECT_EQ(messages_.shown.size(), 2u);
}

// The parts of the machine members above the platform calls: the search for the
// CD-ROM drive and the reading of paths of any length.
using test::FakeMachine;

TEST(CdDrive, TheFirstCdRomFromDToZ) {
  FakeMachine machine;
  machine.driveTypes = {{"C:\\", 5}, {"F:\\", 5}, {"E:\\", 3}, {"Z:\\", 5}};
  EXPECT_EQ(CdDrive(machine), "F:\\");
  EXPECT_EQ(machine.asked, (std::vector<CodeString>{"D:\\", "E:\\", "F:\\"}))
      << "A:, B: and C: are never asked";
  FakeMachine none;
  none.driveTypes = {{"A:\\", 5}, {"C:\\", 5}, {"D:\\", 2}};
  EXPECT_EQ(CdDrive(none), "");
  EXPECT_EQ(none.asked.back(), "Z:\\");
}

// A stand-in for GetWindowsDirectoryA: writes text when it fits (with its
// terminator), else answers the capacity it needs.
struct DirectoryCall {
  std::string text;
  int calls = 0;
  std::size_t operator()(char* buffer, std::size_t capacity) {
    ++calls;
    if (text.size() + 1 > capacity) return text.size() + 1;
    text.copy(buffer, text.size());
    buffer[text.size()] = '\0';
    return text.size();
  }
};

TEST(ReadWholeText, PathsOfEveryLengthComeWhole) {
  for (std::size_t length : {1u, 259u, 260u, 261u, 32767u}) {
    DirectoryCall call{"C:\\" + std::string(length - 1, 'w')};
    call.text.resize(length);
    EXPECT_EQ(ReadWholeText(std::ref(call)), call.text) << length;
    EXPECT_LE(call.calls, 2) << length;
  }
}

TEST(ReadWholeText, AFailingCallGivesEmpty) {
  EXPECT_EQ(ReadWholeText([](char*, std::size_t) -> std::size_t { return 0; }), "");
  // A text that outgrows every buffer is given up, not chased for ever.
  std::size_t need = 300;
  EXPECT_EQ(ReadWholeText([&](char*, std::size_t) { return need *= 2; }), "");
}

class FailingPrinter final : public Printer {
 public:
  void PrintLine(const PrintJob&) override { failure(); }
  std::function<void()> failure;
};

TEST(PrintText, AFailureShowsItsDescriptionAndGivesFalse) {
  FailingPrinter printer;
  test::RecordingMessageBoxes messages;
  printer.failure = [] { throw RunTimeError(kPrinterError, "no printer is installed"); };
  EXPECT_FALSE(PrintText(printer, messages, {"x", "Arial", 10, false}));
  printer.failure = [] { throw 42; };  // a failure without a description
  EXPECT_FALSE(PrintText(printer, messages, {"x", "Arial", 10, false}));
  EXPECT_EQ(messages.shown, (std::vector<std::string>{"Printer error: no printer is installed", "Printer error"}));
}

}  // namespace
}  // namespace pelikar::util
