#pragma once
// An in-memory host field that behaves like a real text box: its members by name, and
// its own reaction to a key after the host's key handlers have run (Delete and the
// caret keys at key-down, the character the key-press leaves, Backspace included).
// Grids and combo boxes are the same box without Locked, MaxLength and MultiLine.
#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <string_view>

#include "common/run_time_error.h"
#include "host/host_value.h"

namespace pelikar::input::test {

enum : std::int16_t { kShift = 1, kCtrl = 2 };
enum : std::int16_t { kBackspace = 8, kEnter = 13, kEnd = 35, kHome = 36, kLeft = 37, kRight = 39, kDelete = 46 };

class MemoryField final : public host::HostObject {
 public:
  static std::shared_ptr<MemoryField> TextBox(CodeString name, CodeString tag = {}) {
    auto field = std::make_shared<MemoryField>();
    field->name = std::move(name);
    field->tag = std::move(tag);
    return field;
  }
  static std::shared_ptr<MemoryField> Grid(CodeString name, CodeString tag = {}) {
    auto field = TextBox(std::move(name), std::move(tag));
    field->missing = {"Locked", "MaxLength", "MultiLine"};
    return field;
  }

  host::HostValue Get(std::string_view member) override {
    Access(member);
    if (member == "Text") return text;
    if (member == "SelStart") return selStart;
    if (member == "SelLength") return selLength;
    if (member == "SelText") return text.substr(selStart, selLength);
    if (member == "Tag") return tag;
    if (member == "Name") return name;
    if (member == "Locked") return locked;
    if (member == "MaxLength") return maxLength;
    if (member == "MultiLine") return multiLine;
    throw RunTimeError(kMemberNotSupported, std::string(member));
  }
  void Put(std::string_view member, const host::HostValue& value) override {
    Access(member);
    if (member == "Text") {
      text = host::TextOf(value);  // new text, caret at its start
      Select(0, 0);
    } else if (member == "SelStart") {
      if (value.ToLong() < 0) throw RunTimeError(kInvalidProcedureCall, "SelStart");
      Select(std::min(value.ToLong(), static_cast<std::int32_t>(text.size())), 0);
    } else if (member == "SelText") {
      const CodeString inserted = host::TextOf(value);
      text.replace(selStart, selLength, inserted);
      Select(selStart + static_cast<std::int32_t>(inserted.size()), 0);
    } else {
      throw RunTimeError(kMemberNotSupported, std::string(member));
    }
  }
  host::HostValue Call(std::string_view member, std::span<const host::HostValue>) override {
    throw RunTimeError(kMemberNotSupported, std::string(member));
  }

  // The box's own processing of a key, after its key-down and key-press handlers.
  void OwnKeyDown(int key, int shift);
  void OwnKeyPress(std::int16_t code);

  // The text with its caret as "|" or its selection in "[]", codes outside printable
  // ASCII as "<code>": "ab|c", "a[bc]", "<144>|<141>". Shown gives it, Show sets it.
  std::string Shown() const;
  void Show(std::string_view shown);
  void Select(std::int32_t start, std::int32_t length) {
    selStart = start;
    selLength = length;
  }

  CodeString text, name, tag;
  std::int32_t selStart = 0, selLength = 0, maxLength = 0;
  bool locked = false, multiLine = false;
  std::set<std::string, std::less<>> missing;  // members this field lacks
  int failAt = -1;                             // the member access that fails, from 0
  int accesses = 0;

 private:
  void Access(std::string_view member) {
    if (accesses++ == failAt) throw RunTimeError(kAutomationError, "the field failed");
    if (missing.contains(member)) throw RunTimeError(kMemberNotSupported, std::string(member));
  }
  // A multi-line box takes a line break (carriage return and line feed) as one.
  std::int32_t Unit(std::int32_t at, std::int32_t one) const {
    return multiLine && at >= 0 && text.compare(static_cast<std::size_t>(at), 2, "\r\n") == 0 ? 2 : one;
  }
};

}  // namespace pelikar::input::test
