#pragma once
// The clipboard as the control's windows fill it.
#include <windows.h>

#include "common/code_string.h"

namespace pelikar::dialogs::win32 {

// Replaces the clipboard's content with a Nivo text, in two formats: its bytes as ANSI
// text, for programs that keep the code page (with the Nivo2 font), and its Unicode
// view (each code as the character it shows, in the same visual order, held there by
// a left-to-right override), so that a Unicode program pastes Persian letters rather
// than the Latin characters the ANSI code page gives the bytes. False when the
// clipboard stays busy with another program or memory runs out.
bool PutOnClipboard(HWND owner, CodeView nivoText);

}  // namespace pelikar::dialogs::win32
