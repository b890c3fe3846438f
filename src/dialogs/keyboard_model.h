#pragma once
// The on-screen keyboard's decisions without its window: the captions its buttons
// show as Caps, Shift and En are pressed, the preview of the last character clicked,
// and what each press of a button, each key in the text field and each character
// typed there asks the window to do.
#include <array>
#include <cstdint>

#include "common/code_string.h"
#include "dialogs/keyboard_grid.h"

namespace pelikar::dialogs {

// What a press of a key button asks for.
struct KeyPress {
  enum class Action {
    None,    // only the captions changed
    Copy,    // put the field's text on the clipboard
    Cancel,  // end the dialog with the empty string
    Accept,  // end the dialog with the field's text
    Clear,   // empty the field
    Type,    // type keyCode with shift into the field, if its text leaves room
  };
  Action action = Action::None;
  std::int16_t keyCode = 0;
  std::int16_t shift = 0;  // 1 while Caps is down: the Shift buttons do not shift
};

class KeyboardModel {
 public:
  // The dialog as it opens: every key with its Persian caption, Caps up, no preview,
  // the title and the space bar in Persian (Nivo codes).
  KeyboardModel();

  const CodeString& Caption(int key) const { return captions_.at(static_cast<std::size_t>(key)); }
  const CodeString& Preview() const { return preview_; }
  const CodeString& Title() const { return title_; }

  // A mouse button went down on key button key: the preview shows its caption if that
  // is one character; Shift and En show their caption sets while the button is held.
  KeyPress ButtonDown(int key);
  // The mouse button came up: the preview blanks, and the Persian captions come back
  // unless Caps holds the captions as they are.
  void ButtonUp(int key);
  // Caps was clicked into the given state: the shifted captions while it is down.
  void CapsClicked(bool down);

 private:
  void ShowLatin();
  void ShowPersian();
  void ShowShifted();

  std::array<CodeString, kKeyCount> captions_;
  CodeString preview_;
  CodeString title_;
  bool caps_ = false;
};

// Whether a click may still type into the field: its text, measured in the dialog's
// own font, must leave 100 twips of the field free.
constexpr bool ClickMayType(std::int32_t textWidthTwips) {
  return textWidthTwips < kTextBox.width - 100;
}

// A key pressed in the text field, with the Persian mode read from Scroll Lock.
enum class FieldKey {
  Accept,  // Enter: the dialog ends with the field's text
  Type,    // typed through the insertion routine; the field's own handling follows
  Pass,    // the field's own handling only
};
FieldKey FieldKeyDown(int keyCode, bool persian, std::size_t textLength);

// A character typed in the field: what the field may insert (0 for nothing). In
// Persian mode the printable characters and Backspace were typed at key-down; Enter
// never reaches the field.
int FieldKeyPress(int character, bool persian);

}  // namespace pelikar::dialogs
