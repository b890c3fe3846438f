#include "control/com/keyboard_state_table.h"

#include <windows.h>

namespace pelikar::com {

input::KeyboardTable Win32KeyboardStateTable::Get() {
  input::KeyboardTable table{};
  if (!GetKeyboardState(table.data())) table.fill(0);
  return table;
}

void Win32KeyboardStateTable::Set(const input::KeyboardTable& table) {
  input::KeyboardTable copy = table;  // the call takes a writable buffer
  SetKeyboardState(copy.data());
}

}  // namespace pelikar::com
