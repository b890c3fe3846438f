#include "memory_field.h"

#include <algorithm>

#include "common/run_time_error.h"

namespace pelikar::input::test {
namespace {

CodeString StringOf(const host::HostValue& value) {
  if (const auto* text = std::get_if<CodeString>(&value.storage())) return *text;
  throw RunTimeError(kTypeMismatch);
}

enum Key { kEnd = 35, kHome = 36, kLeft = 37, kRight = 39, kDelete = 46 };

}  // namespace

std::shared_ptr<MemoryField> MemoryField::TextBox(CodeString name, CodeString tag) {
  auto field = std::make_shared<MemoryField>();
  field->name = std::move(name);
  field->tag = std::move(tag);
  return field;
}

std::shared_ptr<MemoryField> MemoryField::Grid(CodeString name, CodeString tag) {
  auto field = TextBox(std::move(name), std::move(tag));
  field->missing = {"Locked", "MaxLength", "MultiLine"};
  return field;
}

void MemoryField::Access(std::string_view member) {
  if (accesses++ == failAt) throw RunTimeError(kAutomationError, "the field failed");
  if (missing.contains(member)) throw RunTimeError(kMemberNotSupported, std::string(member));
}

host::HostValue MemoryField::Get(std::string_view member) {
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

void MemoryField::Put(std::string_view member, const host::HostValue& value) {
  Access(member);
  const auto length = static_cast<std::int32_t>(text.size());
  if (member == "Text") {
    // As a text box does: new text, caret at its start.
    text = StringOf(value);
    Select(0, 0);
  } else if (member == "SelStart") {
    const std::int32_t position = value.ToLong();
    if (position < 0) throw RunTimeError(kInvalidProcedureCall, "SelStart");
    Select(std::min(position, length), 0);
  } else if (member == "SelText") {
    const CodeString inserted = StringOf(value);
    text.replace(selStart, selLength, inserted);
    Select(selStart + static_cast<std::int32_t>(inserted.size()), 0);
  } else {
    throw RunTimeError(kMemberNotSupported, std::string(member));
  }
}

host::HostValue MemoryField::Call(std::string_view member, std::span<const host::HostValue>) {
  throw RunTimeError(kMemberNotSupported, std::string(member));
}

void MemoryField::Select(std::int32_t start, std::int32_t length) {
  selStart = start;
  selLength = length;
}

// A multi-line box takes a line break (carriage return and line feed) as one.
std::size_t MemoryField::UnitLeftOfCaret() const {
  const auto caret = static_cast<std::size_t>(selStart);
  return multiLine && caret >= 2 && text.compare(caret - 2, 2, "\r\n") == 0 ? 2 : 1;
}

std::size_t MemoryField::UnitRightOfCaret() const {
  const auto caret = static_cast<std::size_t>(selStart);
  return multiLine && text.compare(caret, 2, "\r\n") == 0 ? 2 : 1;
}

void MemoryField::OwnKeyDown(int key, int shift) {
  const auto length = static_cast<std::int32_t>(text.size());
  const bool extend = (shift & 1) != 0;
  switch (key) {
    case kDelete:
      if (locked) return;
      if (selLength > 0) {
        text.replace(selStart, selLength, "");
      } else if (selStart < length) {
        text.replace(selStart, UnitRightOfCaret(), "");
      }
      selLength = 0;
      return;
    case kLeft:
      if (extend) {
        if (selStart > 0) Select(selStart - 1, selLength + 1);
      } else if (selLength > 0) {
        selLength = 0;
      } else if (selStart > 0) {
        Select(selStart - static_cast<std::int32_t>(UnitLeftOfCaret()), 0);
      }
      return;
    case kRight:
      if (extend) {
        if (selStart + selLength < length) ++selLength;
      } else if (selLength > 0) {
        Select(selStart + selLength, 0);
      } else if (selStart < length) {
        Select(selStart + static_cast<std::int32_t>(UnitRightOfCaret()), 0);
      }
      return;
    case kHome:
      Select(0, 0);
      return;
    case kEnd:
      Select(length, 0);
      return;
    default:
      return;
  }
}

void MemoryField::OwnKeyPress(std::int16_t code) {
  if (code == 0 || locked) return;
  if (code == 8) {
    if (selLength > 0) {
      text.replace(selStart, selLength, "");
    } else if (selStart > 0) {
      const auto unit = static_cast<std::int32_t>(UnitLeftOfCaret());
      text.replace(selStart - unit, unit, "");
      selStart -= unit;
    }
    selLength = 0;
    return;
  }
  CodeString typed;
  if (code == 13) {
    if (!multiLine) return;
    typed = "\r\n";
  } else if (code < 32) {
    return;  // Ctrl+C, Ctrl+V... act on the clipboard, which this box has not got
  } else {
    typed = CodeString(1, CodeChar(static_cast<unsigned>(code)));
  }
  if (maxLength > 0 &&
      text.size() - selLength + typed.size() > static_cast<std::size_t>(maxLength)) {
    return;
  }
  text.replace(selStart, selLength, typed);
  Select(selStart + static_cast<std::int32_t>(typed.size()), 0);
}

std::string MemoryField::Shown() const {
  const auto start = static_cast<std::size_t>(selStart);
  const auto end = start + static_cast<std::size_t>(selLength);
  std::string shown;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i == start) shown += selLength > 0 ? "[" : "|";
    if (i == end && selLength > 0) shown += ']';
    if (i == text.size()) break;
    const auto code = static_cast<Byte>(text[i]);
    if (code >= 32 && code < 127 && code != '<' && code != '|' && code != '[' && code != ']') {
      shown += static_cast<char>(code);
    } else {
      shown += '<' + std::to_string(code) + '>';
    }
  }
  return shown;
}

void MemoryField::Show(std::string_view shown) {
  text.clear();
  std::size_t start = 0;
  std::size_t end = 0;
  for (std::size_t i = 0; i < shown.size(); ++i) {
    const char c = shown[i];
    if (c == '|' || c == '[') {
      start = end = text.size();
    } else if (c == ']') {
      end = text.size();
    } else if (c == '<') {
      const std::size_t close = shown.find('>', i);
      text += CodeChar(
          static_cast<unsigned>(std::stoi(std::string(shown.substr(i + 1, close - i - 1)))));
      i = close;
    } else {
      text += c;
    }
  }
  Select(static_cast<std::int32_t>(start), static_cast<std::int32_t>(end - start));
}

}  // namespace pelikar::input::test
