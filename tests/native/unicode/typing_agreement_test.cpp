// Text typed key by key through the typing engine, numbers included, exported with
// to-unicode: the logical text of the same keys, read from the keyboard layout.
#include <gtest/gtest.h>

#include <random>

#include "../code_page_facts.h"
#include "../input/typist.h"
#include "bridge_support.h"

namespace pelikar::unicode::test {
namespace {

using encoding::CodePage;

// The keys and the Unicode text each types. The yeh with hamza is left out: at the
// end of a word the pages store it as their hamza (tested on its own).
std::vector<std::pair<char, std::u32string>> Keys() {
  std::vector<std::pair<char, std::u32string>> keys;
  for (const auto& [key, letter] : pelikar::test::kLayoutLetters) {
    if (letter != U'\u0626') keys.push_back({key, std::u32string(1, letter)});
  }
  keys.push_back({'J', U"\u0640"});
  keys.push_back({'G', U"\u0644\u0627"});
  return keys;
}

class TypingAgreement : public testing::TestWithParam<CodePage> {};

TEST_P(TypingAgreement, TypedTextExportsAsTheLogicalTextOfItsKeys) {
  const auto keys = Keys();
  std::mt19937 random(GetParam() == CodePage::Nivo ? 7 : 8);
  input::test::Typist typist(static_cast<int>(GetParam()));
  for (int round = 0; round < 2000; ++round) {
    std::string typed;
    std::u32string expected;
    for (int w = 0, words = 1 + static_cast<int>(random() % 6); w < words; ++w) {
      if (w > 0) {
        typed += ' ';
        expected += U' ';
      }
      const bool number = random() % 3 == 0;
      for (int i = 0, n = 1 + static_cast<int>(random() % 7); i < n; ++i) {
        if (number) {
          const char c = "0123456789./"[random() % 12];
          typed += c;
          expected += c >= '0' && c <= '9' ? char32_t(U'\u06F0' + (c - '0')) : char32_t(c);
        } else {
          const auto& [key, text] = keys[random() % keys.size()];
          typed += key;
          expected += text;
        }
      }
    }
    auto field = input::test::MemoryField::TextBox("Text1");
    typist.Type(*field, typed);
    ASSERT_EQ(ToUnicodeText(field->text, On(GetParam())), Encoded(expected)) << "typed " << typed;
  }
}

INSTANTIATE_TEST_SUITE_P(CodePages, TypingAgreement, testing::Values(CodePage::Nivo, CodePage::Ir),
                         [](const auto& info) { return info.param == CodePage::Nivo ? "Nivo" : "Ir"; });

}  // namespace
}  // namespace pelikar::unicode::test
