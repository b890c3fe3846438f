#pragma once
// The engine's side of the thread's keyboard state (the control's side is in
// typing.h).
#include "input/typing.h"

namespace pelikar::input {

// Refreshes KeyboardState from the thread's table, as every key-down does first.
const KeyboardTable& FetchKeyboardState(KeyboardStateTable& keyboard);

}  // namespace pelikar::input
