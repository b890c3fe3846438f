// The Unicode bridge: its own rules (what is folded on the way in, what is reported,
// text typed through the typing engine), and natively, where they are, the independent
// oracles: ICU's character facts, the Persian word list and FriBidi's ordering and
// shaping.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>

#include "../code_page_facts.h"
#include "../input/typist.h"
#include "../test_support.h"
#include "encoding/convert_text.h"
#include "encoding/unicode_view.h"
#include "unicode/bridge.h"
#include "unicode/letters.h"
#include "unicode/utf8.h"

#if PELIKAR_HAVE_ICU
#include "../unicode_facts.h"
#endif

namespace pelikar::unicode::test {
namespace {

using encoding::CodePage;
using pelikar::test::CodesOf;

// Whole lines through either direction.

std::string ToUnicodeText(CodeView codes, const BridgeOptions& options) {
  CodesToUnicode bridge(options);
  std::string out;
  bridge.Line(codes, out);
  return out;
}

CodeString FromUnicodeText(std::string_view text, const BridgeOptions& options, std::vector<Unexpressed>* unexpressed = nullptr) {
  UnicodeToCodes bridge(options);
  CodeString out;
  std::vector<Unexpressed> missed;
  bridge.Line(text, out, missed);
  if (unexpressed != nullptr) *unexpressed = missed;
  return out;
}


std::string Encoded(std::u32string_view text) {
  std::string out;
  for (char32_t c : text) AppendUtf8(out, c);
  return out;
}

BridgeOptions On(encoding::CodePage page, Order order = Order::Typed, Digits digits = Digits::Persian) {
  BridgeOptions options;
  options.page = page;
  options.order = order;
  options.digits = digits;
  return options;
}


TEST(BridgeInput, FoldsAndWhatThePageLacks) {
  for (CodePage page : {CodePage::Nivo, CodePage::Ir}) {
    EXPECT_EQ(FromUnicodeText("ا\u0653ب", On(page)), FromUnicodeText("آب", On(page)));
    EXPECT_EQ(FromUnicodeText("\uFEB3\uFEFC\uFEE1", On(page)), FromUnicodeText("سلام", On(page)));
    EXPECT_EQ(FromUnicodeText("كيى ٣", On(page)), FromUnicodeText("کیی ۳", On(page)));
    EXPECT_EQ(FromUnicodeText("\u00A0", On(page)), "\xFF");
    // Direction marks order the line and are gone.
    EXPECT_EQ(FromUnicodeText("\u200Fab\u200E", On(page)), "ab");
  }
  BridgeOptions options = On(CodePage::Ir);
  options.substitute = '*';
  std::vector<Unexpressed> missed;
  // Columns count characters: the madda composes with its alef but keeps its column.
  EXPECT_EQ(FromUnicodeText("ab\u0629c\xFF" "d", options, &missed), "ab*c*d");
  ASSERT_EQ(missed.size(), 2u);
  EXPECT_EQ(missed[0].column, 3u);
  EXPECT_EQ(missed[0].character, U'\u0629');
  EXPECT_EQ(missed[1].column, 5u);
  EXPECT_EQ(missed[1].byte, 0xFF);
  // The Ir page has the box-drawing characters; a sequence cut short is no UTF-8.
  EXPECT_EQ(FromUnicodeText("\u2591\xD8", options, &missed), "*\xB0");
  ASSERT_EQ(missed.size(), 1u);
  EXPECT_EQ(missed[0].byte, 0xD8);
  // Nor is an overlong sequence or a surrogate: each of their bytes is reported.
  EXPECT_EQ(FromUnicodeText("\xC0\xAF\xED\xA0\x80", options, &missed), "*****");
  EXPECT_EQ(missed.size(), 5u);
  for (const Unexpressed& byte : missed) EXPECT_EQ(byte.character, 0u) << "no character at column " << byte.column;
  // The first three-byte character is read whole.
  EXPECT_EQ(FromUnicodeText("\u0800", options, &missed), "*");
  ASSERT_EQ(missed.size(), 1u);
  EXPECT_EQ(missed[0].character, U'\u0800');
  FromUnicodeText("ا\u0653\u0623", options, &missed);
  ASSERT_EQ(missed.size(), 1u);
  EXPECT_EQ(missed[0].column, 3u);
  // A NUL is a character of both pages.
  EXPECT_EQ(FromUnicodeText(std::string("a\0b", 3), options, &missed), std::string("a\0b", 3));
  EXPECT_TRUE(missed.empty());
}

// Text typed key by key through the typing engine, numbers included, exported with
// to-unicode: the logical text of the same keys, read from the keyboard layout.
class TypingAgreement : public testing::TestWithParam<CodePage> {};

// The yeh with hamza is left out: at the end of a word the pages store it as their
// hamza (tested on its own). G types the lam-alef, its two letters.
TEST_P(TypingAgreement, TypedTextExportsAsTheLogicalTextOfItsKeys) {
  std::vector<pelikar::test::KeyLetter> keys = pelikar::test::kLayoutLetters;
  std::erase_if(keys, [](const auto& key) { return key.letter == U'\u0626'; });
  keys.insert(keys.end(), {{'J', U'\u0640'}, {'G', U'\uFEFB'}});
  std::mt19937 random(GetParam() == CodePage::Nivo ? 7 : 8);
  input::test::Typist typist(static_cast<int>(GetParam()));
  for (int round = 0; round < 2000; ++round) {
    std::string typed;
    std::u32string expected;
    for (const auto& word : pelikar::test::RandomWords(random, keys, {"", "", "0123456789./"})) {
      if (!typed.empty()) typed += ' ', expected += U' ';
      for (const auto& [key, letter] : word) {
        typed += key;
        if (letter == U'\uFEFB') {
          expected += U"\u0644\u0627";
        } else if (letter != 0) {
          expected += letter;
        } else {  // digits come out Persian, the signs as they are
          expected += key >= '0' && key <= '9' ? char32_t(U'\u06F0' + (key - '0')) : char32_t(key);
        }
      }
    }
    auto field = input::test::MemoryField::TextBox("Text1");
    typist.Type(*field, typed);
    ASSERT_EQ(ToUnicodeText(field->text, On(GetParam())), Encoded(expected)) << "typed " << typed;
  }
}

PELIKAR_ON_BOTH_PAGES(TypingAgreement);

#if PELIKAR_HAVE_ICU
std::u32string Decoded(std::string_view text) {
  std::u32string out;
  for (std::size_t i = 0; i < text.size();) {
    char32_t c = 0;
    NextUtf8(text, i, c);
    out.push_back(c);
  }
  return out;
}


// The bridge's Unicode facts checked against ICU: the bidirectional class and joining
// of every character the pages stand for, the presentation forms folded, and the
// compositions of hamza and madda.
std::u32string Nfkc(char32_t c) {
  UErrorCode status = U_ZERO_ERROR;
  const icu::UnicodeString out =
      icu::Normalizer2::getNFKCInstance(status)->normalize(icu::UnicodeString(static_cast<UChar32>(c)), status);
  std::u32string text;
  for (int32_t i = 0; i < out.length(); i = out.moveIndex32(i, 1)) text.push_back(static_cast<char32_t>(out.char32At(i)));
  return text;
}

BidiClass IcuClass(char32_t c) {
  static const std::map<int, BidiClass> classes = {
      {U_LEFT_TO_RIGHT, kL}, {U_RIGHT_TO_LEFT, kR}, {U_RIGHT_TO_LEFT_ARABIC, kAL}, {U_EUROPEAN_NUMBER, kEN},
      {U_EUROPEAN_NUMBER_SEPARATOR, kES}, {U_EUROPEAN_NUMBER_TERMINATOR, kET}, {U_ARABIC_NUMBER, kAN},
      {U_COMMON_NUMBER_SEPARATOR, kCS}, {U_DIR_NON_SPACING_MARK, kNSM}, {U_BOUNDARY_NEUTRAL, kBN},
      {U_BLOCK_SEPARATOR, kB}, {U_SEGMENT_SEPARATOR, kS}, {U_WHITE_SPACE_NEUTRAL, kWS}};
  const auto found = classes.find(u_charDirection(static_cast<UChar32>(c)));
  return found == classes.end() ? kON : found->second;
}

// Every character the pages stand for, and the whole Arabic block.
TEST(UnicodeFacts, ClassesJoiningFoldsAndCompositionsAreIcus) {
  std::vector<char32_t> characters;
  for (int code = 0; code < 256; ++code) characters.insert(characters.end(), {LettersOf(CodePage::Nivo).character[code], LettersOf(CodePage::Ir).character[code]});
  for (char32_t c = 0x0600; c <= 0x06FF; ++c) {
    if (u_isdefined(static_cast<UChar32>(c))) characters.push_back(c);
  }
  for (char32_t c : characters) {
    EXPECT_EQ(BidiClassOf(c), IcuClass(c)) << std::hex << unsigned(c);
    EXPECT_EQ(static_cast<int>(JoiningOf(c)), static_cast<int>(pelikar::test::JoiningOf(c))) << std::hex << unsigned(c);
    // Standard text holds no presentation forms.
    EXPECT_FALSE(c >= 0xFB50 && c <= 0xFEFF) << std::hex << unsigned(c);
  }
  int folded = 0;
  for (char32_t c = 0xFB50; c <= 0xFEFC; ++c) {
    char32_t letters[2] = {};
    const int count = FoldPresentationForm(c, letters);
    if (count == 0) continue;
    ++folded;
    EXPECT_EQ(std::u32string(letters, count), Nfkc(c)) << std::hex << unsigned(c);
  }
  // Every form of every letter the pages have folds. (The tatweel's "forms" are its
  // harakat.)
  for (CodePage page : {CodePage::Nivo, CodePage::Ir}) {
    for (int code = 128; code < 256; ++code) {
      const char32_t letter = LettersOf(page).character[code];
      for (int form = 1; form <= 4 && letter != 0x0640; ++form) {
        const char32_t shape = pelikar::test::PresentationForm(letter, form);
        char32_t letters[2];
        EXPECT_EQ(shape == 0 ? 1 : FoldPresentationForm(shape, letters), 1) << std::hex << unsigned(shape);
      }
    }
  }
  EXPECT_GT(folded, 130);
  UErrorCode status = U_ZERO_ERROR;
  const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
  for (char32_t letter = 0x0620; letter <= 0x06FF; ++letter) {
    for (char32_t mark = 0x0653; mark <= 0x0655; ++mark) {
      const UChar32 composed = nfc->composePair(static_cast<UChar32>(letter), static_cast<UChar32>(mark));
      EXPECT_EQ(Compose(letter, mark), composed < 0 ? 0 : static_cast<char32_t>(composed))
          << std::hex << unsigned(letter) << " + " << unsigned(mark);
    }
  }
}


// Every word of the Persian word list (Debian's myspell-fa) through a code page and
// back, which the README's figures of what cannot come back are taken from. A word
// that does not come back must fall into one of the few classes the code pages are
// known to lack; the counts are printed.
std::string Hex(char32_t c) {
  char text[16];
  std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(c));
  return text;
}

std::u32string WithoutZwnj(std::u32string text) {
  std::erase(text, U'\u200C');
  return text;
}

bool Joins(char32_t c, bool forward) {
  using pelikar::test::Joining;
  const Joining j = pelikar::test::JoiningOf(c);
  return forward ? j == Joining::Dual || j == Joining::Causing : j != Joining::None;
}

// Why a word did not come back, told from the word and what came back alone: the first
// ZWNJ lost, by the letters around it.
std::string ClassOf(std::u32string word, const std::u32string& back) {
  if (std::ranges::replace(word, U'\u0649', U'\u06CC'); word == back) return "alef maksura came back as Persian yeh";
  if (WithoutZwnj(word) != WithoutZwnj(back)) return "other";
  std::size_t at = 0;
  while (at < back.size() && word[at] == back[at]) ++at;
  if (word[at] != U'\u200C') return "other";
  const char32_t before = at > 0 ? word[at - 1] : 0, after = at + 1 < word.size() ? word[at + 1] : 0;
  if (after == 0) return "ZWNJ at the end";
  if (after == U'\u200C') return "two ZWNJ in a row";
  if (!Joins(before, true) || !Joins(after, false)) return "ZWNJ beside a letter that would not join there";
  if (after == 0x0622) return "ZWNJ before alef madda (no final alef madda)";
  if (before == 0x0637 || before == 0x0638) return "ZWNJ after tah or zah (one code for all forms) before " + Hex(after);
  return "ZWNJ between " + Hex(before) + " and " + Hex(after);
}

class WordList : public testing::TestWithParam<CodePage> {};

TEST_P(WordList, EveryWordTheCodePageExpressesComesBack) {
  std::ifstream in("/usr/share/hunspell/fa_IR.dic");
  std::vector<std::string> words;
  std::string line;
  std::getline(in, line);  // the count
  while (std::getline(in, line)) {
    if (!line.empty()) words.push_back(line);
  }
  if (words.empty()) GTEST_SKIP() << "the word list is missing (myspell-fa)";
  const BridgeOptions options = On(GetParam());
  CodesToUnicode toUnicode(options);
  UnicodeToCodes fromUnicode(options);
  std::map<std::string, std::size_t> lost;
  std::size_t expressed = 0, back = 0;
  std::vector<Unexpressed> unexpressed;
  for (const std::string& word : words) {
    CodeString codes;
    std::string letters, text;
    unexpressed.clear();
    fromUnicode.Line(word, codes, unexpressed);
    for (const Unexpressed& u : unexpressed) letters += " " + Hex(u.character);
    if (!letters.empty()) {
      ++lost["the page lacks" + letters];
      continue;
    }
    ++expressed;
    toUnicode.Line(codes, text);
    if (text == word) {
      ++back;
      continue;
    }
    const std::string why = ClassOf(Decoded(word), Decoded(text));
    EXPECT_NE(why, "other") << word << " came back as " << text;
    if (lost[why]++ == 0) std::printf("  e.g. %s -> %s (%s)\n", word.c_str(), text.c_str(), why.c_str());
  }
  std::printf("%zu words; %zu expressed, %zu of them came back\n", words.size(), expressed, back);
  for (const auto& [why, count] : lost) std::printf("  %7zu  %s\n", count, why.c_str());
}

PELIKAR_ON_BOTH_PAGES(WordList);

// Random mixed lines (Persian words, numbers, Latin words, punctuation) put into a code
// page against FriBidi (fribidi --nopad --nobreak --rtl): the same characters in the
// same visual order, and at every position the glyph FriBidi's shaping chooses,
// wherever the page has that glyph and those of the letters beside it.
namespace facts = pelikar::test;

std::u32string RandomLine(std::mt19937& random) {
  std::vector<char32_t> letters(facts::kAlphabet.begin(), facts::kAlphabet.end());
  letters.push_back(U'\u0626');  // yeh with hamza
  const std::u32string latin = U"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
  const std::u32string punctuation = U".,!?:;-()[]\u060C\u061F%+/";
  const auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
  std::u32string line;
  const std::size_t words = 1 + pick(8);
  std::size_t open = 0;  // brackets opened by the line and not closed
  for (std::size_t w = 0; w < words; ++w) {
    if (w > 0) line += pick(10) == 0 ? U"  " : pick(20) == 0 ? U" \t" : U" ";
    if (pick(8) == 0) {
      line += U"(["[pick(2)];
      ++open;
    }
    switch (pick(8)) {
      case 0: {  // a number, in Persian or ASCII digits, maybe with a separator
        const char32_t zero = pick(2) ? U'0' : U'\u06F0';
        for (std::size_t d = 0, n = 1 + pick(5); d < n; ++d) line += static_cast<char32_t>(zero + pick(10));
        if (pick(3) == 0) {
          line += U"./,:"[pick(4)];
          for (std::size_t d = 0, n = 1 + pick(3); d < n; ++d) line += static_cast<char32_t>(zero + pick(10));
        }
        break;
      }
      case 1:
        for (std::size_t i = 0, n = 1 + pick(7); i < n; ++i) line += latin[pick(latin.size())];
        break;
      case 2:
        line += punctuation[pick(punctuation.size())];
        break;
      default:
        for (std::size_t i = 0, n = 1 + pick(7); i < n; ++i) {
          if (i > 0 && pick(12) == 0) line += U'\u200C';
          if (i > 0 && pick(30) == 0) line += U'\u0640';
          line += letters[pick(letters.size())];
        }
    }
    if (pick(6) == 0) line += punctuation[pick(punctuation.size())];
    if (open > 0 && pick(3) == 0) {
      line += U")]"[pick(2)];
      --open;
    }
  }
  if (pick(8) == 0) line += pick(2) ? U" " : U"\t ";
  return line;
}

std::vector<std::u32string> FriBidi(const std::vector<std::u32string>& lines, const std::filesystem::path& dir) {
  const std::filesystem::path input = dir / "lines.txt";
  {
    std::ofstream out(input, std::ios::binary);
    for (const auto& line : lines) out << Encoded(line) << '\n';
  }
  const std::filesystem::path output = dir / "visual.txt";
  std::vector<std::u32string> visual;
  const std::string command = "fribidi --nopad --nobreak --rtl --nomirror '" + input.string() + "' > '" + output.string() + "'";
  if (std::system(command.c_str()) != 0) return visual;
  std::ifstream in(output, std::ios::binary);
  for (std::string line; std::getline(in, line);) visual.push_back(Decoded(line));
  return visual;
}

constexpr char32_t kLamAlef = 0xFEFB;  // stands for the lam-alef ligature in any form

// The letter (or character) and form a character shows.
std::pair<char32_t, int> ShownBy(char32_t c) {
  return {c == 0xFEFB || c == 0xFEFC ? kLamAlef : facts::BaseLetter(c), facts::ShownForm(c)};
}

// The same for a code, by the Unicode view.
std::pair<char32_t, int> Shown(CodePage page, Byte code) { return ShownBy(encoding::UnicodeOf(page, code)); }

// Each page has one code for the hamza and for a yeh with hamza that joins nothing
// (Nivo: the isolated yeh with hamza; Ir: the hamza, its final and isolated forms).
bool HamzaCode(char32_t a, char32_t b) { return (a == U'\u0621' && b == U'\u0626') || (a == U'\u0626' && b == U'\u0621'); }

// The codes of a page that show a letter in a form (Ir: the published layout).
std::vector<Byte> CodesFor(CodePage page, char32_t letter, int form) {
  std::vector<Byte> codes;
  if (page == CodePage::Ir) {
    // The published layout names no letter for its lam-alef.
    const char32_t named = letter == kLamAlef ? 0 : letter;
    for (const auto& fact : facts::kIranSystem) {
      if (fact.letter == named && fact.forms.count(form)) codes.push_back(fact.code);
    }
    return codes;
  }
  for (int code = 128; code < 256; ++code) {
    if (Shown(page, static_cast<Byte>(code)) == std::make_pair(letter, form)) codes.push_back(static_cast<Byte>(code));
  }
  return codes;
}

// FriBidi mirrors the brackets of right-to-left runs (also with --nomirror); stored
// text keeps a bracket as typed.
char32_t Mirrored(char32_t c) {
  const std::u32string_view brackets = U"()[]";
  const std::size_t at = brackets.find(c);
  return at == std::u32string_view::npos ? c : brackets[at ^ 1];
}

bool IsLetter(char32_t c) { return (c >= 0x0620 && c < 0x06F0) || c == kLamAlef; }

char32_t Digit(char32_t c) { return c >= U'\u06F0' && c <= U'\u06F9' ? c - 0x06F0 + '0' : c; }

class FriBidiAgreement : public testing::TestWithParam<CodePage> {};

TEST_P(FriBidiAgreement, RandomMixedLinesTakeFriBidisOrderAndGlyphs) {
  if (std::system("fribidi --version > /dev/null 2>&1") != 0) GTEST_SKIP() << "fribidi (libfribidi-bin) is missing";
  const CodePage page = GetParam();
  std::mt19937 random(page == CodePage::Nivo ? 1404 : 1405);
  std::vector<std::u32string> lines;
  for (int i = 0; i < 4000; ++i) lines.push_back(RandomLine(random));
  pelikar::test::TempDir dir;
  const std::vector<std::u32string> visual = FriBidi(lines, dir.path());
  ASSERT_EQ(visual.size(), lines.size());

  std::size_t positions = 0, glyphsChecked = 0, failures = 0;
  for (std::size_t l = 0; l < lines.size() && failures < 10; ++l) {
    const CodeString ours = FromUnicodeText(Encoded(lines[l]), On(page));
    std::u32string theirs = visual[l];
    // FriBidi leaves a zero-width no-break space where a ligature took two letters.
    std::erase(theirs, U'\u200C');
    std::erase(theirs, U'\uFEFF');
    const auto fail = [&](const std::string& what) {
      ++failures;
      ADD_FAILURE() << what << "\n  line: " << Encoded(lines[l]) << "\n  fribidi: " << Encoded(theirs)
                    << "\n  ours: " << encoding::RenderUtf8(ours, page);
    };
    // What FriBidi shows at each position. The pages have no lam-alef madda
    // ligature: it stands for its two letters, which have no glyph to compare.
    std::vector<std::pair<char32_t, int>> shown;
    std::vector<bool> hasGlyph;
    for (char32_t c : theirs) {
      if (c == 0xFEF5 || c == 0xFEF6) {
        shown.insert(shown.end(), {{U'\u0622', 4}, {U'\u0644', 4}});
        hasGlyph.insert(hasGlyph.end(), {false, false});
        continue;
      }
      shown.push_back(ShownBy(c));
      const auto [letter, form] = shown.back();
      hasGlyph.push_back(!IsLetter(letter) || !CodesFor(page, letter, form).empty());
    }
    if (ours.size() != shown.size()) {
      fail("lengths differ");
      continue;
    }
    for (std::size_t i = 0; i < ours.size(); ++i) {
      ++positions;
      const Byte code = CodeAt(ours, i);
      const auto [letter, form] = shown[i];
      const char32_t ourLetter = Shown(page, code).first;
      const bool neighboursHaveGlyphs = (i == 0 || hasGlyph[i - 1]) && (i + 1 == ours.size() || hasGlyph[i + 1]);
      const bool checkable = hasGlyph[i] && neighboursHaveGlyphs;
      if (Digit(ourLetter) != Digit(letter) && Mirrored(ourLetter) != letter &&
          !(HamzaCode(ourLetter, letter) && !checkable)) {
        fail("another character at " + std::to_string(i));
        break;
      }
      if (!IsLetter(letter) || !checkable) continue;
      ++glyphsChecked;
      const std::vector<Byte> codes = CodesFor(page, letter, form);
      if (std::find(codes.begin(), codes.end(), code) == codes.end()) {
        fail("another glyph at " + std::to_string(i) + " (form " + std::to_string(form) + " expected)");
        break;
      }
    }
  }
  std::printf("%zu lines, %zu positions in FriBidi's order, %zu glyphs as FriBidi shapes them\n", lines.size(),
              positions, glyphsChecked);
}

PELIKAR_ON_BOTH_PAGES(FriBidiAgreement);

#endif

}  // namespace
}  // namespace pelikar::unicode::test
