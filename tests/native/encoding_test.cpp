// The conversion engine and its operations: the table engine against the step-by-step
// engine over random lines, the other conversion members, the file conversion, and the
// code pages' tables against facts from outside them (the letters' shapes are the
// joining oracle's).
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <thread>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "common/run_time_error.h"
#include "encoding/convert_text.h"
#include "encoding/file_conversion.h"
#include "encoding/operations.h"
#include "encoding/tables.h"
#include "encoding/unicode_view.h"
#include "encoding/visual_shaper.h"
#include "test_support.h"

#if PELIKAR_HAVE_ICU
#include <algorithm>
#include <cctype>
#include <map>

#include "code_page_facts.h"
#include "encoding/shaping.h"
#include "unicode_facts.h"
#endif

namespace pelikar::encoding {
namespace {

using test::Codes;
using test::CodesOf;
using test::ErrorNumberOf;

// RenderUtf8 keeps visual order line by line and shows control characters;
// NivoFarsiChar clamps the position to the alphabet; Nivo_To_En gives the keys in
// reading order inside one span.
TEST(ConversionMembers, RenderingLettersByPlaceAndKeysBack) {
  const std::string kOverride = "\u202D", kPop = "\u202C";
  EXPECT_EQ(RenderUtf8(Codes({144, ' ', '2', '1'}), CodePage::Nivo), kOverride + "\uFE8F 21" + kPop);
  EXPECT_EQ(RenderUtf8(Codes({146, '\n', 128}), CodePage::Ir), kOverride + "\uFE90" + kPop + "\n" + kOverride + "\u06F0" + kPop);
  EXPECT_EQ(RenderUtf8(Codes({27, '\t', '\r', 127, 0}), CodePage::Nivo), kOverride + "\u241B\t\u240D\u2421\u2400" + kPop);
  const std::pair<int, int> cases[] = {{-32768, 134}, {0, 134}, {1, 134}, {2, 136}, {3, 140}, {34, 254}, {35, 254}, {32767, 254}};
  for (const auto& [position, code] : cases) EXPECT_EQ(CodesOf(NivoFarsiChar(static_cast<std::int16_t>(position))), std::vector<int>{code}) << position;
  EXPECT_EQ(Nivo_To_En(""), "~~");
  EXPECT_EQ(Nivo_To_En(Codes({143, 142, 141})), "~fff~");
  EXPECT_EQ(Nivo_To_En(Codes({144, 32, '2', '1'})), "~12 f~");
  EXPECT_EQ(Nivo_To_En(Codes({'a', 9, 10, 'b'})), "~ba~") << "control characters have no key";
  EXPECT_EQ(Nivo_To_En("x~y"), "~y~x~") << "a tilde stays a tilde";
  // Nothing types 130 inside a span; it comes back as its Shift key, an alef madda.
  EXPECT_EQ(Nivo_To_En(Codes({130})), "~I~");
  // Three digits per code, outer spaces ignored and inner kept; read back in groups of
  // three, each group a number as the host reads one.
  EXPECT_EQ(StrToAscStr("  a b  "), "097032098");
  EXPECT_EQ(StrToAscStr(Codes({0, 7, 255})), "000007255");
  const std::pair<const char*, CodeString> texts[] = {
      {" 65", "A"}, {"0650", Codes({65, 0})}, {"1.5", Codes({2})}, {"2.5", Codes({2})}, {"1e2", "d"}, {"&HF", Codes({15})}, {"-0 ", Codes({0})},
  };
  for (const auto& [text, expected] : texts) EXPECT_EQ(CodesOf(AscStrToStr(text)), CodesOf(expected)) << text;
  const std::pair<const char*, int> rejected[] = {
      {"abc", kTypeMismatch}, {"   ", kTypeMismatch},         {"06x", kTypeMismatch},        {"0656 x", kTypeMismatch},
      {"&H", kTypeMismatch},  {"300", kInvalidProcedureCall}, {"-1", kInvalidProcedureCall}, {"065256", kInvalidProcedureCall},
  };
  for (const auto& [text, number] : rejected) EXPECT_EQ(ErrorNumberOf([&] { AscStrToStr(text); }), number) << text;
}

// The table engine against the step-by-step engine it replaces, over random lines:
// letters typed in and out of tilde spans, digits, Latin, controls, CR and LF, and
// codes 128-255 of every joining class, from empty lines to very long ones.
// PELIKAR_EQUALITY_LINES sets the number of lines for each code page (default 20000).
std::size_t LineCount() {
  const char* count = std::getenv("PELIKAR_EQUALITY_LINES");
  return count ? std::strtoull(count, nullptr, 10) : 20000;
}

class RandomLines {
 public:
  explicit RandomLines(unsigned seed) : random_(seed) {}

  // Each line has a mix of its own, so that runs of one kind of code happen too.
  CodeString Next() {
    std::size_t length = Below(8) == 0 ? 0 : Below(200);
    if (Below(500) == 0) length = 2000 + Below(70000);
    unsigned weights[6];
    for (unsigned& w : weights) w = 1 + Below(10);
    CodeString line;
    for (std::size_t i = 0; i < length; ++i) line.push_back(CodeChar(Pick(weights)));
    return line;
  }

 private:
  unsigned Below(std::size_t n) { return static_cast<unsigned>(std::uniform_int_distribution<std::size_t>(0, n - 1)(random_)); }
  unsigned Pick(const unsigned (&weights)[6]) {
    unsigned total = 0;
    for (unsigned w : weights) total += w;
    unsigned roll = Below(total), kind = 0;
    while (roll >= weights[kind]) roll -= weights[kind++];
    switch (kind) {
      case 0: return 'a' + Below(26);  // keys of letters
      case 1: return 33 + Below(94);   // any printable key: digits, signs, capitals
      case 2: return Below(2) ? ' ' : '~';
      case 3: return 128 + Below(128);
      case 4: return Below(32);        // controls, CR and LF among them
      default: return '0' + Below(10);
    }
  }
  std::mt19937_64 random_;
};

class TableEngine : public testing::TestWithParam<CodePage> {};

TEST_P(TableEngine, ConvertsEveryLineAsTheStepByStepEngine) {
  const TableSet& tables = TableSetOf(GetParam());
  RandomLines lines(static_cast<unsigned>(GetParam()) + 15);
  for (std::size_t n = LineCount(), i = 0; i < n; ++i) {
    const CodeString line = lines.Next();
    const CodeString expected = ShapeWholeText(tables, line);
    const CodeString got = ConvertText(line, GetParam());
    if (got != expected) {
      ADD_FAILURE() << "line " << i << " of " << line.size() << " codes: "
                    << testing::PrintToString(test::CodesOf(line.substr(0, 60)));
      ASSERT_EQ(test::CodesOf(got), test::CodesOf(expected));
    }
  }
}

PELIKAR_ON_BOTH_PAGES(TableEngine);

// The file conversion: each line (ended by CR or CR LF) converts as a text of its own,
// already in visual order. The lines are cut at every kind of end; files of one short
// line come first, then files of a few blocks, one with a line longer than a block.
TEST(TableEngineFiles, ConvertEveryLineAsTheStepByStepEngine) {
  const char* ends[] = {"\r", "\r\n", "\n"};
  RandomLines lines(51);
  std::mt19937 random(7);
  test::TempDir dir;
  std::size_t left = LineCount();
  for (int file = 0; left > 0; ++file) {
    CodeString input;
    const bool small = file < 200;
    while (left > 0 && input.size() < (small ? 1u : 2u << 20)) {
      CodeString line = lines.Next().substr(0, small ? 60 : CodeString::npos);
      if (file == 200 && input.empty()) line.assign(3u << 20, 'f').push_back('~');
      input += line + ends[random() % 3];
      --left;
    }
    CodeString expected, line;
    for (std::size_t i = 0; i < input.size(); ++i) {
      if (input[i] != '\r') {
        line.push_back(input[i]);
        if (i + 1 < input.size()) continue;
      } else if (i + 1 < input.size() && input[i + 1] == '\n') {
        ++i;
      }
      expected += ShapeWholeText(NivoTableSet(), CodeString(line.rbegin(), line.rend())) + "\r\n";
      line.clear();
    }
    test::WriteFile(dir / "in.txt", input);
    ASSERT_TRUE(En_Ir_FileToNivo(dir / "in.txt", dir / "out.txt"));
    ASSERT_TRUE(test::ReadFile(dir / "out.txt") == expected) << "file " << file;
  }
}

using test::ReadFile;
using test::WriteFile;

// What one line of the file becomes: the line is in visual order already.
CodeString ConvertedLine(const CodeString& line) { return En_Ir_To_nivo(Reverse(line)) + "\r\n"; }

// The file's own handling (its lines are the test above's): progress, a file onto
// itself, failures that leave the output alone and no partial file behind.
class FileConversion : public testing::Test {
 protected:
  std::vector<std::string> FilesInDir() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  int ErrorOf(const std::filesystem::path& from, const std::filesystem::path& to) {
    return ErrorNumberOf([&] { En_Ir_FileToNivo(from, to); });
  }
  test::TempDir dir;
};

TEST_F(FileConversion, ProgressAndAFileOntoItself) {
  WriteFile(dir / "in.txt", std::string(3 << 20, 'a'));
  std::uint64_t lastDone = 0, total = 0;
  En_Ir_FileToNivo(dir / "in.txt", dir / "out.txt", [&](std::uint64_t done, std::uint64_t of) {
    EXPECT_GE(done, lastDone);
    lastDone = done;
    total = of;
  });
  EXPECT_EQ(lastDone, 3u << 20);
  EXPECT_EQ(total, 3u << 20);
  WriteFile(dir / "in.txt", "");
  EXPECT_TRUE(En_Ir_FileToNivo(dir / "in.txt", dir / "out.txt"));
  EXPECT_EQ(ReadFile(dir / "out.txt"), "") << "an empty file";
  // Onto itself, and onto another name of the same file, which keeps the original.
  WriteFile(dir / "a.txt", "~fff~\r\n");
  EXPECT_TRUE(En_Ir_FileToNivo(dir / "a.txt", dir / "a.txt"));
  EXPECT_EQ(ReadFile(dir / "a.txt"), ConvertedLine("~fff~"));
  WriteFile(dir / "a.txt", "~fff~\r\n");
  std::error_code error;
  std::filesystem::create_hard_link(dir / "a.txt", dir / "b.txt", error);
  if (error) GTEST_SKIP() << "no hard links here";
  EXPECT_TRUE(En_Ir_FileToNivo(dir / "a.txt", dir / "b.txt"));
  EXPECT_EQ(ReadFile(dir / "b.txt"), ConvertedLine("~fff~"));
  EXPECT_EQ(ReadFile(dir / "a.txt"), "~fff~\r\n");
}

// A directory opens but cannot be read: its failure comes mid-way. The message names
// the output asked for, not the temporary file.
TEST_F(FileConversion, FailuresRaiseTheFileErrorAndLeaveTheOutputAlone) {
  WriteFile(dir / "out.txt", "precious");
  WriteFile(dir / "in.txt", "~f~");
  std::filesystem::create_directory(dir / "folder");
  const std::filesystem::path in = dir / "in.txt", out = dir / "out.txt";
  const struct { std::filesystem::path from, to; int error; } cases[] = {
      {dir / "missing.txt", out, kFileNotFound}, {in, dir / "no" / "out.txt", kPathNotFound},
      {in, dir / "folder", kPathFileAccessError}, {in, "", kBadFileName},
      {"", out, kBadFileName},                    {dir / "folder", out, -1},  // -1: any
  };
  for (const auto& c : cases) {
    const int error = ErrorOf(c.from, c.to);
    EXPECT_TRUE(c.error < 0 ? error != 0 : error == c.error) << c.from << " to " << c.to << ": " << error;
  }
  std::filesystem::permissions(out, std::filesystem::perms::owner_read);
  EXPECT_EQ(ErrorOf(in, out), kPathFileAccessError) << "a read-only output is refused";
  std::filesystem::permissions(out, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
  EXPECT_EQ(ReadFile(out), "precious");
  EXPECT_EQ(FilesInDir(), (std::vector<std::string>{"folder", "in.txt", "out.txt"}));
  try {
    En_Ir_FileToNivo(in, dir / "no" / "out.txt");
  } catch (const RunTimeError& failure) {
    EXPECT_EQ(std::string(failure.what()).find(".tmp"), std::string::npos) << failure.what();
  }
}

#ifndef _WIN32
// The output replaces the file a link names, keeps its permissions, and goes straight
// into what cannot be replaced (a pipe), leaving the link and the pipe what they were.
TEST_F(FileConversion, WritesThroughLinksAndIntoPipesAndKeepsPermissions) {
  namespace fs = std::filesystem;
  WriteFile(dir / "in.txt", "~f~");
  WriteFile(dir / "private.txt", "old");
  fs::permissions(dir / "private.txt", fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink(dir / "private.txt", dir / "link.txt");
  ASSERT_TRUE(En_Ir_FileToNivo(dir / "in.txt", dir / "link.txt"));
  EXPECT_TRUE(fs::is_symlink(dir / "link.txt"));
  EXPECT_EQ(ReadFile(dir / "private.txt"), ConvertedLine("~f~"));
  EXPECT_EQ(fs::status(dir / "private.txt").permissions(), fs::perms::owner_read | fs::perms::owner_write);

  ASSERT_EQ(mkfifo((dir / "pipe").c_str(), 0600), 0);
  std::string received;
  std::thread reader([&] { received = ReadFile(dir / "pipe"); });
  bool converted = false;
  try {
    converted = En_Ir_FileToNivo(dir / "in.txt", dir / "pipe");
  } catch (const RunTimeError&) {
  }
  if (!converted) std::ofstream{dir / "pipe"};  // lets the reader go
  reader.join();
  EXPECT_TRUE(converted && fs::is_fifo(dir / "pipe"));
  EXPECT_EQ(received, ReadFile(dir / "private.txt"));
  EXPECT_EQ(FilesInDir(), (std::vector<std::string>{"in.txt", "link.txt", "pipe", "private.txt"}));

  // A file taken for a directory, on either side; a name too long; a directory read;
  // links that name each other are refused, and stay links.
  EXPECT_EQ(ErrorOf(dir / "in.txt" / "x", dir / "out.txt"), kPathNotFound);
  EXPECT_EQ(ErrorOf(dir / "in.txt", dir / "in.txt" / "x"), kPathNotFound);
  EXPECT_EQ(ErrorOf(dir / std::string(300, 'x'), dir / "out.txt"), kBadFileName);
  EXPECT_EQ(ErrorOf(dir.path(), dir / "out.txt"), kPathFileAccessError);
  fs::create_symlink("loop2", dir / "loop1");
  fs::create_symlink("loop1", dir / "loop2");
  EXPECT_EQ(ErrorOf(dir / "in.txt", dir / "loop1"), kPathFileAccessError);
  EXPECT_TRUE(fs::is_symlink(dir / "loop1") && fs::is_symlink(dir / "loop2"));
  // A link to a file not made yet, and a name as long as a name can be.
  fs::create_symlink("made.txt", dir / "new-link.txt");
  EXPECT_TRUE(En_Ir_FileToNivo(dir / "in.txt", dir / "new-link.txt"));
  EXPECT_TRUE(fs::is_symlink(dir / "new-link.txt"));
  EXPECT_EQ(ReadFile(dir / "made.txt"), ConvertedLine("~f~"));
  EXPECT_TRUE(En_Ir_FileToNivo(dir / "in.txt", dir / std::string(255, 'x')));
  EXPECT_EQ(ReadFile(dir / std::string(255, 'x')), ConvertedLine("~f~"));
}
#endif

#if PELIKAR_HAVE_ICU
// The code pages' tables and the conversion engine against facts from outside them:
// the keyboard layouts, the published Iran System layout, the Persian alphabet, and
// Unicode's names, decompositions and joining types (through ICU, natively only).
using test::BaseLetter;
using test::JoiningOf;
using test::ShownForm;

char32_t LetterOf(CodePage page, Byte code) { return BaseLetter(UnicodeOf(page, code)); }

// The letter shaping takes an Ir code for: the Ir code page has no final or isolated
// yeh with hamza, and the hamza stands in for them.
char32_t ShapedLetterOf(Byte irCode) { return irCode == 143 ? U'\u0626' : LetterOf(CodePage::Ir, irCode); }

class BothCodePages : public testing::TestWithParam<CodePage> {};

TEST_P(BothCodePages, KeysAndJoiningAgreeWithTheLayoutAndUnicode) {
  const TableSet& tables = TableSetOf(GetParam());
  for (const auto& [key, letter] : test::kLayoutLetters) {
    const Byte code = tables.keyMap[static_cast<Byte>(key)];
    EXPECT_EQ(LetterOf(GetParam(), code), letter) << "key " << key << " gives code " << int(code);
  }
  const Byte lamAlef = tables.keyMap['G'];
  EXPECT_NE(test::NameOf(UnicodeOf(GetParam(), lamAlef)).find("LAM WITH ALEF"), std::string::npos);
  // With Shift, G and H type what their capitals type, J the tatweel of the underscore.
  EXPECT_EQ(tables.shiftKeyMap['G'], lamAlef);
  EXPECT_EQ(tables.shiftKeyMap['H'], tables.keyMap['H']);
  EXPECT_EQ(tables.shiftKeyMap['J'], tables.keyMap['_']);
  // With Shift the digit and punctuation keys type what they type on a US keyboard
  // (the question mark the Persian one), and some letter keys signs: on I, O and P
  // the Nivo page has Arabic signs of its own.
  const bool nivo = GetParam() == CodePage::Nivo;
  const std::u32string shiftedDigits = U")!@#$%^&*(";
  for (int digit = 0; digit < 10; ++digit) EXPECT_EQ(UnicodeOf(GetParam(), tables.shiftKeyMap['0' + digit]), shiftedDigits[digit]);
  const std::pair<int, char32_t> shifted[] = {
      {186, ':'}, {187, '+'}, {188, '<'}, {189, '_'}, {190, '>'}, {191, U'\u061F'}, {192, '~'}, {219, '{'}, {220, '|'},
      {221, '}'}, {222, '"'}, {'C', '['}, {'V', ']'}, {'L', '\\'}, {'U', '\''}, {'K', U'\u060C'},
      {'I', nivo ? U'\u066B' : U'%'}, {'O', nivo ? U'\u066D' : U'*'}, {'P', nivo ? U'\u066A' : U';'},
  };
  for (const auto& [key, sign] : shifted) EXPECT_EQ(UnicodeOf(GetParam(), tables.shiftKeyMap[key]), sign) << key;
  // An uppercase letter types the code of its lowercase letter, but G (lam-alef), H
  // (alef madda) and J (tatweel, with Shift), the brackets and braces on A, C, S and V,
  // and the Ir E (the theh's initial code, which shaping settles like the final one).
  const std::map<char, char> brackets =
      GetParam() == CodePage::Nivo ? std::map<char, char>{{'A', '['}, {'C', '{'}, {'S', ']'}, {'V', '}'}}
                                   : std::map<char, char>{{'C', '{'}, {'V', '}'}};
  for (char upper = 'A'; upper <= 'Z'; ++upper) {
    const Byte upperCode = tables.keyMap[static_cast<Byte>(upper)];
    const Byte lowerCode = tables.keyMap[static_cast<Byte>(upper + 32)];
    if (brackets.contains(upper)) {
      EXPECT_EQ(upperCode, brackets.at(upper)) << upper;
    } else if (upper == 'E' && GetParam() == CodePage::Ir) {
      EXPECT_EQ(LetterOf(GetParam(), upperCode), LetterOf(GetParam(), lowerCode)) << upper;
    } else if (upper != 'G' && upper != 'H') {
      EXPECT_EQ(upperCode, lowerCode) << upper;
    }
  }
  EXPECT_EQ(tables.keyMap[127], ' ') << "the delete character types a space";
  // The other keys type themselves, but for the question mark (the Persian one), the
  // underscore (the tatweel) and, on the Nivo page, three signs of its own.
  const std::string signs = GetParam() == CodePage::Nivo ? "$&*?_" : "?_";
  for (char key = ' '; key < 127; ++key) {
    const bool letter = std::isalpha(static_cast<unsigned char>(key)) ||
                        std::ranges::any_of(test::kLayoutLetters, [&](const auto& typed) { return typed.key == key; });
    if (!letter && signs.find(key) == std::string::npos) {
      EXPECT_EQ(tables.keyMap[static_cast<Byte>(key)], key) << key;
    }
  }
  EXPECT_EQ(UnicodeOf(GetParam(), tables.keyMap['?']), U'\u061F');
  EXPECT_EQ(UnicodeOf(GetParam(), tables.keyMap['_']), U'\u0640');
  const CodePage page = GetParam();
  for (int code = 128; code < 256; ++code) {
    const char32_t shown = UnicodeOf(page, static_cast<Byte>(code));
    if (shown >= 0x2500 && shown < 0x2600) continue;  // Ir box drawing
    const std::string name = test::NameOf(shown);
    test::Joining expected = JoiningOf(BaseLetter(shown));
    if (name.find("LAM WITH ALEF") != std::string::npos) expected = test::Joining::Right;
    // Neither code page has a final alef madda. The Ir hamza doubles as the final yeh
    // with hamza, which joins on both sides.
    if (BaseLetter(shown) == U'\u0622') expected = test::Joining::None;
    if (page == CodePage::Ir && code == 143) expected = test::Joining::Dual;
    const Byte joinClass = tables.joinClass[code];
    if (expected == test::Joining::Causing) {
      EXPECT_NE(joinClass, kJoinsNever) << code << " " << name;
    } else {
      EXPECT_EQ(joinClass, expected == test::Joining::Dual ? kJoinsBoth : expected == test::Joining::Right ? kJoinsBefore : kJoinsNever) << code << " " << name;
    }
  }
}

PELIKAR_ON_BOTH_PAGES(BothCodePages);

TEST(IrCodePage, AgreesWithThePublishedIranSystemLayoutAndItsBoxDrawing) {
  const TableSet& ir = IrTableSet();
  for (const auto& fact : test::kIranSystem) {
    SCOPED_TRACE(testing::Message() << "Ir code " << int(fact.code));
    const char32_t shown = UnicodeOf(CodePage::Ir, fact.code);
    if (fact.letter != 0) {
      EXPECT_EQ(BaseLetter(shown), fact.letter);
    }
    // Of the forms a code serves it shows the one that joins on the most sides, so
    // that text drawn from the view joins (the tatweel is its own medial form).
    const int joiningMost = fact.forms.count(kMedial) ? kMedial : fact.forms.count(kFinal) ? kFinal : *fact.forms.begin();
    if (fact.code != 139) {
      EXPECT_EQ(ShownForm(shown), joiningMost);
    }
    EXPECT_TRUE(fact.forms.count(ir.letterForm[fact.code])) << "LetterForm " << int(ir.letterForm[fact.code]);
    // The only code of its letter is its code in any form asked (but the hamza and
    // the yeh with hamza, which share their forms, and the no-break space).
    const bool only = std::u32string_view(U"\u00A0\u0621\u0626").find(fact.letter) == std::u32string_view::npos &&
                      std::ranges::count_if(test::kIranSystem, [&](const auto& other) { return other.letter == fact.letter; }) == 1;
    for (int form = kInitial; form <= kIsolated; ++form) {
      if (only || (fact.forms.count(form) && (HasForm(ir, fact.code, form) || form == kIsolated))) {
        EXPECT_EQ(ToForm(ir, fact.code, form), fact.code) << "form " << form;
      }
    }
  }
  for (int code = 176; code < 224; ++code) {
    const char32_t shown = UnicodeOf(CodePage::Ir, static_cast<Byte>(code));
    EXPECT_TRUE(shown >= 0x2500 && shown < 0x25A0) << code;
    EXPECT_EQ(IrTableSet().joinClass[code], kJoinsNever);
    EXPECT_EQ(IrToNivoMap[code], ' ');
  }
}

TEST(NivoCodePage, CodesLettersFormsIrCodesAndTheAlphabet) {
  const TableSet& nivo = NivoTableSet();
  for (int code = 128; code < 256; ++code) {
    SCOPED_TRACE(testing::Message() << "Nivo code " << code);
    const char32_t shown = UnicodeOf(CodePage::Nivo, static_cast<Byte>(code));
    if (code == 133) continue;  // the tatweel is its own medial form
    EXPECT_EQ(ShownForm(shown), nivo.letterForm[code]);
    if (code == 130 || code == 255) continue;  // nothing inside a span types these
    // the key of the code types the same letter again
    const Byte typed = nivo.keyMap[NivoToKeyMap[code]];
    EXPECT_EQ(BaseLetter(UnicodeOf(CodePage::Nivo, typed)), BaseLetter(shown)) << "key " << NivoToKeyMap[code];
  }
  for (const auto& fact : test::kIranSystem) {
    SCOPED_TRACE(testing::Message() << "Ir code " << int(fact.code));
    const Byte nivo = IrToNivoMap[fact.code];
    if (fact.code < 138) {
      EXPECT_EQ(nivo, '0' + fact.code - 128) << "Ir digits become ASCII digits";
      continue;
    }
    EXPECT_EQ(LetterOf(CodePage::Nivo, nivo), ShapedLetterOf(fact.code));
    // Of the forms the code serves, the one that joins on the fewest sides.
    const int fewest = fact.forms.count(kIsolated) ? kIsolated : *fact.forms.begin();
    EXPECT_EQ(ShownForm(UnicodeOf(CodePage::Nivo, nivo)), fewest) << "Nivo " << int(nivo);
  }
  ASSERT_EQ(test::kAlphabet.size(), 34u);
  for (int n = 1; n <= 34; ++n) {
    const char32_t shown = UnicodeOf(CodePage::Nivo, AlphabetMap[n]);
    // The hamza is written with the yeh with hamza's isolated code.
    const char32_t expected = test::kAlphabet[n - 1] == U'\u0621' ? U'\u0626' : test::kAlphabet[n - 1];
    EXPECT_EQ(BaseLetter(shown), expected) << "letter " << n;
    EXPECT_EQ(ShownForm(shown), kIsolated) << "letter " << n;
  }
}

// Typed Persian sentences converted by the engine, checked letter by letter against
// an independent joining model built from Unicode's joining types: a letter joins the
// one before it when that one joins forward and it joins backward.
using test::Joining;

// A key and its letter; 0 for a character that is no letter (space, digit).
using TypedLetter = test::KeyLetter;

// Neither code page has a final alef madda.
Joining JoiningForCodePages(char32_t letter) { return letter == 0 || letter == U'\u0622' ? Joining::None : test::JoiningOf(letter); }

bool JoinsForward(Joining j) { return j == Joining::Dual || j == Joining::Causing; }
bool JoinsBackward(Joining j) { return j != Joining::None; }

// The form of each letter of a text in reading order.
std::vector<int> ExpectedForms(const std::vector<TypedLetter>& text) {
  std::vector<int> forms;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const Joining self = JoiningForCodePages(text[i].letter);
    const bool joinsPrevious = i > 0 && JoinsForward(JoiningForCodePages(text[i - 1].letter)) && JoinsBackward(self);
    const bool joinsNext = i + 1 < text.size() && JoinsForward(self) && JoinsBackward(JoiningForCodePages(text[i + 1].letter));
    forms.push_back(joinsPrevious ? (joinsNext ? 2 : 3) : (joinsNext ? 1 : 4));
  }
  return forms;
}

Byte ExpectedCode(CodePage page, const TypedLetter& typed, int form) {
  if (typed.letter == 0) return static_cast<Byte>(typed.key);
  if (typed.letter == U'\u0640') return page == CodePage::Nivo ? 133 : 139;  // one tatweel code
  if (page == CodePage::Nivo) {
    Byte code = 0;
    EXPECT_TRUE(CodeOf(page, test::PresentationForm(typed.letter, form), code)) << std::hex << unsigned(typed.letter);
    return code;
  }
  // The Ir code page: the code that serves the form; the hamza stands in for the
  // final and isolated yeh with hamza.
  if (typed.letter == U'\u0626' && form >= 3) return 143;
  for (const auto& fact : test::kIranSystem) {
    if (fact.letter == typed.letter && fact.forms.count(form)) return fact.code;
  }
  ADD_FAILURE() << "no Ir code for " << std::hex << unsigned(typed.letter) << " form " << form;
  return 0;
}

// What the model says a text converts to: each letter's code in visual order.
CodeString ExpectedVisual(CodePage page, const std::vector<TypedLetter>& text) {
  const std::vector<int> forms = ExpectedForms(text);
  CodeString expected;
  for (std::size_t i = text.size(); i-- > 0;) expected.push_back(CodeChar(ExpectedCode(page, text[i], forms[i])));
  return expected;
}

std::vector<TypedLetter> RandomSentence(std::mt19937& random) {
  static const std::vector<TypedLetter> letters = [] {
    std::vector<TypedLetter> keys = test::kLayoutLetters;
    keys.push_back({'J', U'\u0640'});
    return keys;
  }();
  std::vector<TypedLetter> text;
  for (const auto& word : test::RandomWords(random, letters, {"", "", "", "", "", "", "", "0123456789"})) {
    if (!text.empty()) text.push_back({' ', 0});
    text.insert(text.end(), word.begin(), word.end());
  }
  return text;
}

class JoiningOracle : public testing::TestWithParam<CodePage> {};

TEST_P(JoiningOracle, EveryLetterOfRandomSentencesTakesItsJoiningForm) {
  std::mt19937 random(20261206);
  for (int round = 0; round < 3000; ++round) {
    const std::vector<TypedLetter> text = RandomSentence(random);
    CodeString typed = "~";
    for (const auto& t : text) typed += t.key;
    typed += "~";
    const CodeString expected = ExpectedVisual(GetParam(), text);
    ASSERT_EQ(test::CodesOf(ConvertText(typed, GetParam())), test::CodesOf(expected)) << "typed " << typed;
  }
}

PELIKAR_ON_BOTH_PAGES(JoiningOracle);

#endif

}  // namespace
}  // namespace pelikar::encoding
