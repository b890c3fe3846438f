#pragma once
// Facts about Unicode characters from ICU, an independent source for checking the
// tables: which letter a presentation form shows, in which form, and how letters join.
#include <string>

namespace pelikar::test {

// The letter a presentation form shows: the first character of its compatibility
// composition (U+FE91 ARABIC LETTER BEH INITIAL FORM shows U+0628). Any other
// character is itself.
char32_t BaseLetter(char32_t c);

// The form a presentation form shows, numbered as the code pages number them
// (1 initial, 2 medial, 3 final, 4 isolated); 4 for anything that is no form.
int ShownForm(char32_t c);

// The presentation form of a letter, or 0 if Unicode has none.
char32_t PresentationForm(char32_t letter, int form);

enum class Joining { None, Right, Dual, Causing };
// How a letter joins its neighbours.
Joining JoiningOf(char32_t letter);

std::string NameOf(char32_t c);

}  // namespace pelikar::test
