#pragma once
// Virtual keys as the key-down event gives them, and the code a character key types
// in the active code page.
#include <cstdint>

#include "encoding/tables.h"
#include "input/typing.h"

namespace pelikar::input {

enum VirtualKey : int {
  kBackspaceKey = 8,
  kEndKey = 35,
  kHomeKey = 36,
  kLeftKey = 37,
  kRightKey = 39,
  kDeleteKey = 46,
  kSKey = 83,
};

// The key-down event's key code and shift mask (1 Shift, 2 Ctrl; Alt and the rest are
// ignored: a key held with Alt types as the key alone).
struct KeyStroke {
  KeyStroke(std::int16_t keyCode, std::int16_t shiftMask)
      : key(keyCode), shift((shiftMask & 1) != 0), ctrl((shiftMask & 2) != 0) {}
  int key;
  bool shift;
  bool ctrl;
};

// Space, the digit row, the letters and the punctuation keys of a US layout.
bool IsCharacterKey(int key);

// The code a character key types with the table set (a keypad sign key its sign), or 0
// when it types nothing: a key without an entry in either table (Shift+Space), and the
// tilde, which Persian text
// never holds because converting the text back to keys would take it for the start of
// a Persian stretch.
Byte CodeOfKey(const encoding::TableSet& tables, int key, bool shift);

// A keypad digit (96-105) as the digit-row key, when Num Lock is on.
int WithKeypadDigits(int key, const KeyboardTable& keyboardState);

// Digits, "." and "/": the characters of a number, which reads left to right.
constexpr bool IsNumberCode(Byte code) {
  return (code >= '0' && code <= '9') || code == '.' || code == '/';
}

}  // namespace pelikar::input
