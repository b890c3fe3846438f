#pragma once
// The table engine on 32 codes at a time with AVX2 (internal to the encoding). The
// processor is asked at run time: a build for any x86 processor carries the path and
// takes it only where the processor has AVX2.
#include <cstddef>

#include "encoding/table_shaper.h"

namespace pelikar::encoding::detail {

bool HasVectorPath(const ShapingTable& table);

// Types the n codes of `in` and shapes them into out, in visual order: `in` is read
// from its end when `reversed` (a text in reading order), otherwise from its start
// with every CR ending the tilde spans (lines already in visual order).
void ConvertWithVectors(const ShapingTable& table, const Byte* in, std::size_t n, bool reversed, Byte* out);

}  // namespace pelikar::encoding::detail
