#pragma once
// Text to number the way a host's run-time reads it when a string stands where a
// number is expected: decimal with optional sign, fraction and exponent (E or D), or
// &H hexadecimal and &O octal. Anything else is no number.
#include <optional>

#include "common/code_string.h"

namespace pelikar {

std::optional<double> ParseTextNumber(CodeView text);

}  // namespace pelikar
