#pragma once
// The letter-shaping primitives: which forms a code's letter has, the code of a letter
// in another form, and ShapeLetter, which settles a letter against its neighbours.
#include "encoding/tables.h"

namespace pelikar::encoding {

// Form of a code: 4 below 128, otherwise LetterForm.
int FormOf(const TableSet& tables, Byte code);
bool HasForm(const TableSet& tables, Byte code, int form);
Byte ToForm(const TableSet& tables, Byte code, int form);

// left, current, right and right2 are consecutive codes of a string in visual order
// (a position outside the string is 0). Settles current against right (the letter
// before it in reading order), then against left (the letter after it), changing
// left, current and right as joining requires. right2 is only read.
void ShapeLetter(const TableSet& tables, Byte& left, Byte& current, Byte& right, Byte right2);

}  // namespace pelikar::encoding
