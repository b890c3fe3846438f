#pragma once
// The conversion engine in table form, for speed. A code's final form depends only on
// the code itself, on whether the code to its left can join to it (has a final form)
// and on whether the code to its right joins forward (has an initial or a medial
// form): no decision of the step-by-step shaper reaches further. So every code shapes
// on its own, by one lookup in a table of 4 x 256 codes, filled once per code page by
// running the step-by-step shaper (shaping_rules.h), which stays the definition of the
// forms, on every code between every pair of neighbours.
#include <cstddef>
#include <cstdint>

#include "encoding/tables.h"

namespace pelikar::encoding {

struct ShapingTable {
  // What a code becomes outside [0] and inside [1] a tilde span (a tilde, a space),
  // with the joins of that code in the high byte.
  std::uint16_t typed[2][256];
  // Bit 1: the code joins to the code on its right (has a final form). Bit 0: it
  // joins forward to the code on its left (has an initial or a medial form).
  Byte joins[256];
  // The shaped code, at [(joins[left] & 2) | (joins[right] & 1)][code]. Outside the
  // text a neighbour is code 0, which joins nothing.
  Byte shaped[4][256];

  // The same in the vector path's terms: each code's joins (bits 0-1) and its class
  // (bits 2-6), the codes whose shaped codes differ from them by the same amounts;
  // the amount at [class | ((joins[left] & 2) | (joins[right] & 1)) << 5]. There
  // are at most 32 classes, or the code page has no vector path (vectorClasses).
  Byte info[256];
  Byte delta[128];
  bool vectorClasses;
  // typed[0] and typed[1] of the codes 0-127, and the info of what they become.
  Byte typedLow[2][128];
  Byte infoLow[2][128];

  // Shapes a typed code between its neighbours, each with its joins in the high byte.
  Byte Shape(std::uint16_t left, std::uint16_t code, std::uint16_t right) const {
    return shaped[(left >> 8 & 2) | (right >> 8 & 1)][code & 255];
  }
};

const ShapingTable& ShapingTableOf(CodePage codePage);

// Types lines in their order (each CR ends a line and its tilde spans) into out
// (of lines.size() codes) and shapes them as one text: the line ends join nothing.
void TypeAndShapeLines(const ShapingTable& table, CodeView lines, Byte* out);

// Reverses a text in reading order into visual order, types its tilde spans and
// shapes it: what ShapeWholeText gives, spaces at both ends dropped.
CodeString ConvertWithTable(const ShapingTable& table, CodeView readingOrder);

}  // namespace pelikar::encoding
