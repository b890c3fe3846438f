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

struct KeyLetter {
  char key;
  char32_t letter;
};
// The letter keys of the layout and the letters they type.
extern const std::vector<KeyLetter> kLayoutLetters;

struct IrCodeFact {
  Byte code;
  char32_t letter;      // 0: no letter
  std::set<int> forms;  // the forms the code serves
};
// Every code 128-255 of the Iran System code page that is no box-drawing character.
extern const std::vector<IrCodeFact> kIranSystem;

// A random sentence of one to six words for the agreement tests, each word one to
// seven keys of one kind picked from kinds: an empty kind stands for the given letter
// keys, any other for the characters it holds, which type themselves (letter 0).
using TypedWord = std::vector<KeyLetter>;
std::vector<TypedWord> RandomWords(std::mt19937& random, const std::vector<KeyLetter>& letters,
                                   const std::vector<std::string_view>& kinds);

// The 34 letters of the Persian alphabet in their order, as the control counts them.
extern const std::vector<char32_t> kAlphabet;

}  // namespace pelikar::test
