#pragma once
// Texts between the Windows calls and the core: ANSI names in code strings, UTF-8
// messages, and the run-time errors that system error codes stand for.
#include <windows.h>

#include <string>
#include <string_view>

#include "common/code_string.h"

namespace pelikar::util::win32 {

std::wstring Utf8ToWide(std::string_view text);

// An ANSI name as UTF-8, for the description of an error.
std::string AnsiToUtf8(CodeView text);

// " (system error N: the system's text for it)".
std::string SystemErrorDetail(DWORD error);

}  // namespace pelikar::util::win32
