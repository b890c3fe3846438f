#pragma once
// Enter in a multi-line field of right-to-left text: the part of the caret's line right
// of the caret stays, the part left of it moves to a new line below.
#include <cstdint>

#include "common/code_string.h"

namespace pelikar::input {

struct SplitText {
  CodeString text;
  std::int32_t caret;  // at the right end of the moved part, before the old line ending
};

SplitText SplitLine(CodeView text, std::size_t caret);

}  // namespace pelikar::input
