#pragma once
// Name patterns of the directory search: * stands for any run of characters (dots
// included, none at all too), ? for exactly one, and a final ".*" also matches a name
// without an extension, so that "*.*" and "readme.*" find "readme". Letters compare
// through the file system's case fold.
//
// The platform's own search also matches a pattern against the short 8.3 alias of
// each name, so that "*.htm" finds "page.html" (alias PAGE~1.HTM); the directory
// search checks what the platform found against the long name with these rules.
#include <array>

#include "common/code_string.h"

namespace pelikar::util {

// The upper-case form of every code.
using CaseFold = std::array<Byte, 256>;

bool HasWildcards(CodeView pattern);

bool WildcardMatch(CodeView pattern, CodeView name, const CaseFold& fold);

}  // namespace pelikar::util
