#pragma once
// An in-memory host field that behaves like a real text box: its members by name, and
// its own reaction to a key after the host's key handlers have run (Delete and the
// caret keys at key-down, the character the key-press leaves, Backspace included).
// Grids and combo boxes are the same box without Locked, MaxLength and MultiLine.
#include <cstdint>
#include <memory>
#include <set>
#include <string>

#include "common/code_string.h"
#include "host/host_value.h"

namespace pelikar::input::test {

class MemoryField final : public host::HostObject {
 public:
  static std::shared_ptr<MemoryField> TextBox(CodeString name, CodeString tag = {});
  static std::shared_ptr<MemoryField> Grid(CodeString name, CodeString tag = {});

  host::HostValue Get(std::string_view member) override;
  void Put(std::string_view member, const host::HostValue& value) override;
  host::HostValue Call(std::string_view member,
                          std::span<const host::HostValue> arguments) override;

  // The box's own processing of a key, after its key-down and key-press handlers.
  void OwnKeyDown(int key, int shift);
  void OwnKeyPress(std::int16_t code);

  // The text with its caret as "|" or its selection in "[]", codes outside printable
  // ASCII as "<code>": "ab|c", "a[bc]", "<144>|<141>". Show gives it, Show sets it.
  std::string Shown() const;
  void Show(std::string_view shown);
  void Select(std::int32_t start, std::int32_t length);

  CodeString text;
  std::int32_t selStart = 0;
  std::int32_t selLength = 0;
  CodeString name;
  CodeString tag;
  bool locked = false;
  std::int32_t maxLength = 0;
  bool multiLine = false;

  std::set<std::string, std::less<>> missing;  // members this field lacks
  int failAt = -1;                             // the member access that fails, from 0
  int accesses = 0;

 private:
  void Access(std::string_view member);
  std::size_t UnitLeftOfCaret() const;
  std::size_t UnitRightOfCaret() const;
};

}  // namespace pelikar::input::test
