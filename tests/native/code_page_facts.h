#pragma once
// Independent facts about the two code pages, written down from outside the tables
// under test: the letters of the keyboard layout, the published Iran System layout,
// and the Persian alphabet.
#include <random>
#include <set>
#include <string_view>
#include <vector>

#include "common/code_string.h"

namespace pelikar::test {

struct KeyLetter { char key; char32_t letter; };

// The letter keys of the layout and the letters they type.
inline const std::vector<KeyLetter> kLayoutLetters = [] {
  const std::string_view keys = "qwertyuiop[]asdfghjkl;'zxcvbnm,`\\H";
  const std::u32string_view letters = U"\u0636\u0635\u062B\u0642\u0641\u063A\u0639\u0647\u062E\u062D\u062C\u0686"
                                      U"\u0634\u0633\u06CC\u0628\u0644\u0627\u062A\u0646\u0645\u06A9\u06AF"
                                      U"\u0638\u0637\u0632\u0631\u0630\u062F\u0626\u0648\u067E\u0698\u0622";
  std::vector<KeyLetter> layout;
  for (std::size_t i = 0; i < keys.size(); ++i) layout.push_back({keys[i], letters[i]});
  return layout;
}();

// A code, its letter (0: no letter) and the forms it serves (1 initial, 2 medial, 3
// final, 4 isolated).
struct IrCodeFact { Byte code; char32_t letter; std::set<int> forms; };

// Every code 128-255 of the Iran System code page that is no box-drawing character.
inline const std::vector<IrCodeFact> kIranSystem = [] {
  const std::set<int> kOne{4}, kAny{1, 2, 3, 4}, kEnd{3, 4}, kJoining{1, 2};
  std::vector<IrCodeFact> facts;
  // Letters with two codes, the one for the end forms first.
  const auto pairs = [&](Byte first, std::u32string_view letters) {
    for (char32_t letter : letters) {
      facts.push_back({first++, letter, kEnd});
      facts.push_back({first++, letter, kJoining});
    }
  };
  for (int d = 0; d < 10; ++d) facts.push_back({static_cast<Byte>(0x80 + d), U'\u06F0' + d, kOne});
  facts.insert(facts.end(), {{0x8A, U'\u060C', kOne}, {0x8B, U'\u0640', kAny}, {0x8C, U'\u061F', kOne}, {0x8D, U'\u0622', kOne},
                             {0x8E, U'\u0626', kJoining}, {0x8F, U'\u0621', kOne}, {0x90, U'\u0627', {4}}, {0x91, U'\u0627', {3}}});
  pairs(0x92, U"\u0628\u067E\u062A\u062B\u062C\u0686\u062D\u062E");
  Byte code = 0xA2;
  for (char32_t letter : std::u32string_view(U"\u062F\u0630\u0631\u0632\u0698")) facts.push_back({code++, letter, kEnd});
  pairs(0xA7, U"\u0633\u0634\u0635\u0636");
  facts.insert(facts.end(), {{0xAF, U'\u0637', kAny}, {0xE0, U'\u0638', kAny}});
  code = 0xE1;
  for (char32_t letter : {U'\u0639', U'\u063A'}) {
    for (int form : {4, 3, 2, 1}) facts.push_back({code++, letter, {form}});
  }
  pairs(0xE9, U"\u0641\u0642\u06A9\u06AF");
  facts.insert(facts.end(), {{0xF1, U'\u0644', kEnd}, {0xF2, 0, kEnd} /* lam-alef */, {0xF3, U'\u0644', kJoining}});
  pairs(0xF4, U"\u0645\u0646");
  facts.insert(facts.end(), {{0xF8, U'\u0648', kEnd}, {0xF9, U'\u0647', kEnd}, {0xFA, U'\u0647', {2}}, {0xFB, U'\u0647', {1}},
                             {0xFC, U'\u06CC', {3}}, {0xFD, U'\u06CC', {4}}, {0xFE, U'\u06CC', kJoining}, {0xFF, U'\u00A0', kOne}});
  return facts;
}();

// A random sentence of one to six words for the agreement tests, each word one to
// seven keys of one kind picked from kinds: an empty kind stands for the given letter
// keys, any other for the characters it holds, which type themselves (letter 0).
using TypedWord = std::vector<KeyLetter>;
inline std::vector<TypedWord> RandomWords(std::mt19937& random, const std::vector<KeyLetter>& letters,
                                          const std::vector<std::string_view>& kinds) {
  std::vector<TypedWord> words(1 + random() % 6);
  for (TypedWord& word : words) {
    const std::string_view kind = kinds[random() % kinds.size()];
    for (std::size_t i = 0, n = 1 + random() % 7; i < n; ++i) {
      word.push_back(kind.empty() ? letters[random() % letters.size()] : KeyLetter{kind[random() % kind.size()], 0});
    }
  }
  return words;
}

// The 34 letters of the Persian alphabet in their order, as the control counts them.
inline const std::u32string_view kAlphabet =
    U"\u0622\u0627\u0621\u0628\u067E\u062A\u062B\u062C\u0686\u062D\u062E\u062F\u0630\u0631\u0632\u0698\u0633"
    U"\u0634\u0635\u0636\u0637\u0638\u0639\u063A\u0641\u0642\u06A9\u06AF\u0644\u0645\u0646\u0648\u0647\u06CC";

}  // namespace pelikar::test
