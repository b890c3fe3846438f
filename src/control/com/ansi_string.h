#pragma once
// Host strings and code strings. A host string carries one code per character in the
// system's ANSI code page, so the conversion goes through CP_ACP, one char per code.
// Under single-byte code pages (1252, 1256...) it is lossless for all 256 codes;
// lengths are passed explicitly, so embedded NULs survive.
#include <windows.h>
#include <oleauto.h>

#include <string>

#include "common/code_string.h"

namespace pelikar::com {

// A NULL BSTR is the empty string. Throws std::bad_alloc.
CodeString BstrToCode(BSTR text);
CodeString WideToCode(std::wstring_view text);
// A new BSTR (never NULL; the caller frees it). Throws std::bad_alloc.
BSTR CodeToBstr(CodeView text);

// Text that is not a code string (file paths, error descriptions).
std::wstring BstrToWide(BSTR text);

// UTF-8 text (the core's messages) as UTF-16.
std::wstring Utf8ToWide(std::string_view text);

}  // namespace pelikar::com
