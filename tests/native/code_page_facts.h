#pragma once
// Independent facts about the two code pages, written down from outside the tables
// under test: the letters of the keyboard layout, the published Iran System layout,
// and the Persian alphabet.
#include <set>
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

// The 34 letters of the Persian alphabet in their order, as the control counts them.
extern const std::vector<char32_t> kAlphabet;

}  // namespace pelikar::test
