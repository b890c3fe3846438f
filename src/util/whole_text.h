#pragma once
// Reading a text that a platform call writes into the caller's buffer and that may be
// longer than any buffer chosen in advance (a Windows directory, for one).
#include <cstddef>
#include <functional>

#include "common/code_string.h"

namespace pelikar::util {

// read(buffer, capacity) writes the text and answers its length, or answers the
// capacity the whole text needs (terminator included) when it does not fit, or 0 on
// failure. The buffer grows until the whole text fits; a failure gives "".
CodeString ReadWholeText(const std::function<std::size_t(char*, std::size_t)>& read);

}  // namespace pelikar::util
