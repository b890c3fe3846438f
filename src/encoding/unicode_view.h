#pragma once
// What each code of the two code pages shows, as Unicode: Arabic presentation forms
// for the letters, Persian digits and signs. Used to render code strings readably.
#include <string>

#include "encoding/tables.h"

namespace pelikar::encoding {

// The character a code shows. Codes below 128 are ASCII.
char32_t UnicodeOf(CodePage codePage, Byte code);

// A code string as UTF-8 for a terminal: every code as the character it shows, kept
// in the string's own (visual) order by a left-to-right override, so that a terminal
// that applies the bidirectional algorithm does not reorder it. Control characters
// other than tab and line feed are shown as visible symbols.
std::string RenderUtf8(CodeView text, CodePage codePage);

// The code that shows a character, if any (the inverse of UnicodeOf).
bool CodeOf(CodePage codePage, char32_t character, Byte& code);

}  // namespace pelikar::encoding
