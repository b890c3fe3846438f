// Every word of the Persian word list (Debian's myspell-fa) through a code page and
// back. A word that does not come back must fall into one of the few classes the code
// pages are known to lack; the counts are printed.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <string>

#include "../unicode_facts.h"
#include "bridge_support.h"
#include "unicode/utf8.h"

namespace pelikar::unicode::test {
namespace {

using encoding::CodePage;

constexpr char32_t kZwnj = 0x200C;
constexpr const char* kWordList = "/usr/share/hunspell/fa_IR.dic";

std::vector<std::string> Words() {
  std::ifstream in(kWordList);
  std::vector<std::string> words;
  std::string line;
  std::getline(in, line);  // the count
  while (std::getline(in, line)) {
    if (!line.empty()) words.push_back(line);
  }
  return words;
}

std::string Hex(char32_t c) {
  char text[16];
  std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(c));
  return text;
}

std::u32string Without(std::u32string text, char32_t c) {
  std::erase(text, c);
  return text;
}

bool Joins(char32_t c, bool forward) {
  using pelikar::test::Joining;
  const Joining j = pelikar::test::JoiningOf(c);
  return forward ? j == Joining::Dual || j == Joining::Causing : j != Joining::None;
}

// Why a word did not come back, told from the word and what came back alone.
std::string ClassOf(std::u32string word, const std::u32string& back) {
  if (std::ranges::replace(word, U'\u0649', U'\u06CC'); word == back) return "alef maksura came back as Persian yeh";
  if (Without(word, kZwnj) != Without(back, kZwnj)) return "other";
  // The first ZWNJ lost, by the letters around it.
  std::size_t at = 0;
  while (at < back.size() && word[at] == back[at]) ++at;
  if (word[at] != kZwnj) return "other";
  const char32_t before = at > 0 ? word[at - 1] : 0, after = at + 1 < word.size() ? word[at + 1] : 0;
  if (after == 0) return "ZWNJ at the end";
  if (after == kZwnj) return "two ZWNJ in a row";
  if (!Joins(before, true) || !Joins(after, false)) return "ZWNJ beside a letter that would not join there";
  if (after == 0x0622) return "ZWNJ before alef madda (no final alef madda)";
  if (before == 0x0637 || before == 0x0638) return "ZWNJ after tah or zah (one code for all forms) before " + Hex(after);
  return "ZWNJ between " + Hex(before) + " and " + Hex(after);
}

class WordList : public testing::TestWithParam<CodePage> {};

TEST_P(WordList, EveryWordTheCodePageExpressesComesBack) {
  const std::vector<std::string> words = Words();
  if (words.empty()) GTEST_SKIP() << kWordList << " is missing (myspell-fa)";
  const BridgeOptions options = On(GetParam());
  CodesToUnicode toUnicode(options);
  UnicodeToCodes fromUnicode(options);
  std::map<std::string, std::size_t> lost;
  std::size_t expressed = 0, back = 0;
  std::vector<Unexpressed> unexpressed;
  for (const std::string& word : words) {
    CodeString codes;
    unexpressed.clear();
    fromUnicode.Line(word, codes, unexpressed);
    if (!unexpressed.empty()) {
      std::string letters;
      for (const Unexpressed& u : unexpressed) letters += (letters.empty() ? "" : " ") + Hex(u.character);
      ++lost["the page lacks " + letters];
      continue;
    }
    ++expressed;
    std::string text;
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

INSTANTIATE_TEST_SUITE_P(CodePages, WordList, testing::Values(CodePage::Nivo, CodePage::Ir),
                         [](const auto& info) { return info.param == CodePage::Nivo ? "Nivo" : "Ir"; });

}  // namespace
}  // namespace pelikar::unicode::test
