#pragma once
// Types into a MemoryField as a host form does: the key-down handler calls FarsiDown,
// the box handles the key-down itself, the key-press handler calls FarsiPress with the
// character of the key, and the box inserts what is left of it.
#include <cstdint>
#include <string_view>

#include "../util/service_doubles.h"
#include "input/typing.h"
#include "memory_field.h"

namespace pelikar::input::test {

enum : std::int16_t { kShift = 1, kCtrl = 2 };
enum : std::int16_t {
  kBackspace = 8,
  kEnter = 13,
  kEnd = 35,
  kHome = 36,
  kLeft = 37,
  kRight = 39,
  kDelete = 46
};

struct Key {
  std::int16_t code;  // virtual-key code
  std::int16_t shift = 0;
};

// The key that types a character on a US keyboard ("a" is A, "A" is Shift+A, ";" is
// the key 186...).
Key KeyOf(char typed);
// The character a key gives the key-press event; 0 for keys without one.
std::int16_t CharacterOf(Key key);

class FakeKeyboard final : public KeyboardStateTable {
 public:
  KeyboardTable Get() override { return table; }
  void Set(const KeyboardTable& written) override { table = written; }
  KeyboardTable table{};
};

struct Outcome {
  bool down;
  bool press;
  std::int16_t leftCharacter;  // what FarsiPress left for the box
};

class Typist {
 public:
  // Persian mode on (Scroll Lock), the Nivo code page, a Visual Basic host.
  explicit Typist(int codePage = 0);

  void Persian(bool on);
  void NumLock(bool on);

  Outcome Press(MemoryField& field, Key key);
  // Types each character with its key.
  void Type(MemoryField& field, std::string_view typed);

  // The control's properties as typing reads them; Press keeps the Persian mode in
  // step with Scroll Lock, as the control's Farsi does.
  TypingSettings settings;
  FakeKeyboard keyboard;
  util::test::RecordingMessageBoxes messages;
  TypingServices services{keyboard, messages};
};

}  // namespace pelikar::input::test
