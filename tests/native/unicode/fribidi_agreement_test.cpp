// Random mixed lines (Persian words, numbers, Latin words, punctuation) put into a code
// page against FriBidi (fribidi --nopad --nobreak --rtl): the same characters in the
// same visual order, and at every position the glyph FriBidi's shaping chooses,
// wherever the page has that glyph and those of the letters beside it.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "../code_page_facts.h"
#include "../test_support.h"
#include "../unicode_facts.h"
#include "bridge_support.h"
#include "encoding/unicode_view.h"
#include "unicode/utf8.h"

namespace pelikar::unicode::test {
namespace {

using encoding::CodePage;
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
  const std::string command = "fribidi --nopad --nobreak --rtl --nomirror '" + input.string() + "'";
  std::vector<std::u32string> visual;
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return visual;
  std::string text;
  char buffer[65536];
  while (const std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) text.append(buffer, got);
  pclose(pipe);
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = text.find('\n', start);
    visual.push_back(Decoded(std::string_view(text).substr(start, end - start)));
    start = end == std::string::npos ? text.size() : end + 1;
  }
  return visual;
}

constexpr char32_t kLamAlef = 0xFEFB;  // stands for the lam-alef ligature in any form

// The letter (or character) and form a character shows.
std::pair<char32_t, int> ShownBy(char32_t c) {
  if (c == 0xFEFB || c == 0xFEFC) return {kLamAlef, facts::ShownForm(c)};
  return {facts::BaseLetter(c), facts::ShownForm(c)};
}

// The same for a code, by the Unicode view.
std::pair<char32_t, int> Shown(CodePage page, Byte code) { return ShownBy(encoding::UnicodeOf(page, code)); }

// Each page has one code for the hamza and for a yeh with hamza that joins nothing
// (Nivo: the isolated yeh with hamza; Ir: the hamza, its final and isolated forms).
bool HamzaCode(char32_t a, char32_t b) {
  return (a == U'\u0621' && b == U'\u0626') || (a == U'\u0626' && b == U'\u0621');
}

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
  switch (c) {
    case '(': return ')';
    case ')': return '(';
    case '[': return ']';
    case ']': return '[';
    default: return c;
  }
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

INSTANTIATE_TEST_SUITE_P(CodePages, FriBidiAgreement, testing::Values(CodePage::Nivo, CodePage::Ir),
                         [](const auto& info) { return info.param == CodePage::Nivo ? "Nivo" : "Ir"; });

}  // namespace
}  // namespace pelikar::unicode::test
