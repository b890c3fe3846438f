#pragma once
// The conversion engine: keyboard-typed text (Persian written as the Latin keys that
// type it, inside tilde spans) to shaped Persian text in visual order.
#include "encoding/tables.h"

namespace pelikar::encoding {

// Converts text with the code page's table set.
CodeString ConvertText(CodeView text, CodePage variant);

}  // namespace pelikar::encoding
