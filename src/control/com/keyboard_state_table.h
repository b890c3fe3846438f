#pragma once
// The calling thread's keyboard-state table, through GetKeyboardState and
// SetKeyboardState.
#include "input/typing.h"

namespace pelikar::com {

class Win32KeyboardStateTable final : public input::KeyboardStateTable {
 public:
  // A thread whose table the system cannot give reads as all keys up and off.
  input::KeyboardTable Get() override;
  void Set(const input::KeyboardTable& table) override;
};

}  // namespace pelikar::com
