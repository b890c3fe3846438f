#pragma once
// The number a text begins with, read the way a classic BASIC run-time's Val reads it:
// blanks (spaces, tabs, line feeds) are passed over wherever they stand; then come an
// optional sign, digits with an optional fraction and an optional exponent (E or D);
// whatever follows is ignored, and a text that does not begin with a number reads 0.
// So "1/" reads 1, " 7x" reads 7, "1 2" reads 12, "/5" reads 0. The &H and &O forms
// are not read ("&H10" reads 0). Unlike ParseTextNumber, which wants the whole text
// to be a number.
#include "common/code_string.h"

namespace pelikar {

// Throws RunTimeError(kOverflow) for a number beyond the range of a double.
double LeadingNumber(CodeView text);

}  // namespace pelikar
