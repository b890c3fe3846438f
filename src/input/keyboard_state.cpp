// KeyboardState and SavedSelStart: one copy a thread, shared by the thread's control
// instances, as the thread's keyboard is.
#include "input/keyboard_state.h"

namespace pelikar::input {
namespace {

thread_local KeyboardTable keyboardState{};
thread_local bool keyboardStateFetched = false;  // the table above holds the system's state
thread_local std::int32_t savedSelStart = 0;

}  // namespace

const KeyboardTable& KeyboardState() { return keyboardState; }

const KeyboardTable& FetchKeyboardState(KeyboardStateTable& keyboard) {
  keyboardState = keyboard.Get();
  keyboardStateFetched = true;
  return keyboardState;
}

bool ScrollLockOn() { return keyboardState[kScrollLockKey] != 0; }
bool KeyboardStateFetched() { return keyboardStateFetched; }

void SyncScrollLock(bool farsi, KeyboardStateTable& keyboard) {
  // Fetched afresh: a table kept from an earlier key-down would write back stale
  // Caps Lock, Num Lock and key-down states along with Scroll Lock.
  FetchKeyboardState(keyboard);
  keyboardState[kScrollLockKey] = farsi ? 0xFF : 0x00;
  keyboard.Set(keyboardState);
}

std::int32_t SavedSelStart() { return savedSelStart; }
void SetSavedSelStart(std::int32_t position) { savedSelStart = position; }
void ResetSavedSelStart() { savedSelStart = 0; }

}  // namespace pelikar::input
