#pragma once
// Types into a MemoryField as a host form does: the key-down handler calls FarsiDown,
// the box handles the key-down itself, the key-press handler calls FarsiPress with the
// character of the key, and the box inserts what is left of it.
#include <string_view>

#include "../util/service_doubles.h"
#include "input/typing.h"
#include "memory_field.h"

namespace pelikar::input::test {

struct Key {
  std::int16_t code;  // virtual-key code
  std::int16_t shift = 0;
};

// The key that types a character on a US keyboard ("a" is A, "A" is Shift+A...).
Key KeyOf(char typed);
// The character a key gives the key-press event; 0 for keys without one.
std::int16_t CharacterOf(Key key);

class FakeKeyboard final : public KeyboardStateTable {
 public:
  KeyboardTable Get() override { return table; }
  void Set(const KeyboardTable& written) override { table = written; }
  KeyboardTable table{};
};

class Typist {
 public:
  // Persian mode on (Scroll Lock), the code page given, a Visual Basic host.
  explicit Typist(int codePage = 0) {
    settings.codePage = static_cast<encoding::CodePage>(codePage);
    Persian(true);
  }
  void Persian(bool on) {
    keyboard.table[kScrollLockKey] = on ? 0x01 : 0x00;
    settings.persian = on;
  }
  void NumLock(bool on) { keyboard.table[kNumLockKey] = on ? 0x01 : 0x00; }

  // Press keeps the Persian mode in step with Scroll Lock, as the control's Farsi does;
  // it answers what FarsiDown answered.
  bool Press(MemoryField& field, Key key);
  // Types each character with its key.
  void Type(MemoryField& field, std::string_view typed);

  TypingSettings settings;
  FakeKeyboard keyboard;
  util::test::RecordingMessageBoxes messages;
  TypingServices services{keyboard, messages};
};

}  // namespace pelikar::input::test
