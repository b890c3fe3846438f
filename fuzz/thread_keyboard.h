#pragma once
// The thread's keyboard-state table, kept in memory.
#include "input/typing.h"

namespace pelikar::fuzz {

class MemoryKeyboard final : public input::KeyboardStateTable {
 public:
  input::KeyboardTable Get() override { return table; }
  void Set(const input::KeyboardTable& written) override { table = written; }
  input::KeyboardTable table{};
};

}  // namespace pelikar::fuzz
