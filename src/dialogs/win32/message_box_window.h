#pragma once
// The control's message box on the screen: a modal top-level window with one static
// text a line of the prompt and push buttons with the Persian captions, in Nivo2,
// on a light grey face.
#include <cstdint>

#include "dialogs/message_layout.h"
#include "dialogs/win32/screen.h"

namespace pelikar::dialogs::win32 {

inline constexpr wchar_t kMessageBoxClass[] = L"PelikarMessageBox";
// The buttons' control identifiers are this plus their index (0-6): none of them is
// IDOK or IDCANCEL, which the keyboard sends on its own.
inline constexpr int kFirstButtonId = 100;

// Lays out the box, shows it, and waits (handling the thread's messages) until a
// button is pressed: returns that button's value. The window that was active is the
// box's owner and is disabled while the box is up. The box cannot be closed without a
// button: the close command and Escape do nothing. Returns 0 when the thread is told
// to quit or the box's window goes away without an answer. Throws when the window
// cannot be made.
std::int16_t ShowMessage(const MessageRequest& request, const BoxPlacement& placement);

}  // namespace pelikar::dialogs::win32
