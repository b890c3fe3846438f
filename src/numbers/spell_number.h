#pragma once
// Numbers in Persian words, in the Nivo code page.
#include "common/code_string.h"

namespace pelikar::numbers {

// The whole part of a number in words; "ZERO" below 1; the too-large texts beyond
// 2147483647; the empty string for anything that is no number.
CodeString SpellNum(double yourNumber);

}  // namespace pelikar::numbers
