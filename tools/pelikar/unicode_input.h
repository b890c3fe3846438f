#pragma once
// Reading a rendering back: UTF-8 text, as a terminal shows it or a person pastes it,
// to the codes of a code page (--from-unicode).
#include <string_view>

#include "common/code_string.h"
#include "encoding/tables.h"

namespace pelikar::cli {

// Every character becomes the code that shows it in the code page. The invisible
// direction marks a rendering carries are dropped. Throws Failure for text that is
// not UTF-8 or a character the code page cannot show.
CodeString DecodeUtf8(std::string_view utf8, encoding::CodePage codePage);

}  // namespace pelikar::cli
