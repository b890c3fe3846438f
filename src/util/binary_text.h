#pragma once
// A byte and its eight-digit binary text, most significant digit first.
#include "common/code_string.h"

namespace pelikar::util {

CodeString DecToBin(Byte decNum);

// Reads the first eight characters, position 8 being the least significant digit (a
// shorter text reads as if padded with "0" on the right). Every character counts with
// its decimal digit value, anything else as 0; a sum above 255 (possible only with
// digits beyond 1) raises Overflow.
Byte BinToDec(CodeView binStr);

}  // namespace pelikar::util
