#include "input/key_codes.h"

namespace pelikar::input {
namespace {

constexpr bool IsLetterKey(int key) { return key >= 'A' && key <= 'Z'; }

// The keypad's sign keys, 106 to 111: they type their own signs in either code page,
// as its digit keys type digits (108, the separator key, is on no US keypad).
constexpr int kFirstKeypadSign = 106;
constexpr char kKeypadSigns[] = {'*', '+', '\0', '-', '.', '/'};
constexpr bool IsKeypadSign(int key) {
  return key >= kFirstKeypadSign && key < kFirstKeypadSign + int{sizeof kKeypadSigns};
}

}  // namespace

bool IsCharacterKey(int key) {
  return key == ' ' || (key >= '0' && key <= '9') || IsLetterKey(key) ||
         (key >= 186 && key <= 192) || (key >= 219 && key <= 222);
}

Byte CodeOfKey(const encoding::TableSet& tables, int key, bool shift) {
  if (IsKeypadSign(key)) return static_cast<Byte>(kKeypadSigns[key - kFirstKeypadSign]);
  if (!IsCharacterKey(key)) return 0;
  // A letter key indexes KeyMap by its lowercase letter; with Shift, a letter without
  // a Shift entry types as the letter alone.
  const int lowercase = IsLetterKey(key) ? key + 32 : key;
  Byte code = tables.keyMap[lowercase];
  if (shift && (!IsLetterKey(key) || tables.shiftKeyMap[key] != 0)) code = tables.shiftKeyMap[key];
  return code == '~' ? 0 : code;
}

int WithKeypadDigits(int key, const KeyboardTable& keyboardState) {
  if (key >= 96 && key <= 105 && keyboardState[kNumLockKey] != 0) return key - 48;
  return key;
}

}  // namespace pelikar::input
