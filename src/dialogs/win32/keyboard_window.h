#pragma once
// The on-screen keyboard on the screen: a modal window of key buttons above a
// one-line text field. A click on a key is a key press typed into the field through
// the insertion routine, as a host's text box is typed into; the physical keyboard
// types into the field as well, in Persian while Scroll Lock is on. The dialog always
// types in the Nivo code page.
#include <string_view>

#include "common/code_string.h"
#include "dialogs/win32/screen.h"
#include "input/typing.h"
#include "util/system_services.h"

namespace pelikar::dialogs::win32 {

inline constexpr wchar_t kKeyboardClass[] = L"PelikarKeyboard";
// Control identifiers: key button i is kFirstKeyId + i.
inline constexpr int kFirstKeyId = 200;
inline constexpr int kCapsId = 300;
inline constexpr int kTextId = 301;
inline constexpr int kTitleId = 302;
inline constexpr int kHintId = 303;
inline constexpr int kPreviewId = 304;

struct KeyboardRequest {
  std::wstring_view caption;  // the window's caption, shown as given
  CodeView text;              // keyboard-typed; the field starts with it in Nivo
  BoxPlacement placement;
};

struct KeyboardServices {
  input::KeyboardStateTable& keyboard;  // Scroll Lock: Persian typing on the keyboard
  util::MessageBoxes& messages;         // the credit box that Ctrl+S shows
};

// Shows the keyboard and waits, handling the thread's messages, until it ends: with
// the field's text for Ok and Enter, with the empty string for Esc, Escape, a close
// through the frame or Alt+F4, and when the thread is told to quit. The window that
// was active is disabled meanwhile. Throws when the window cannot be made, and when a
// step of the dialog fails (the dialog ends then).
CodeString ShowKeyboard(const KeyboardRequest& request, KeyboardServices& services);

}  // namespace pelikar::dialogs::win32
