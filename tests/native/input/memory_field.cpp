#include "memory_field.h"

namespace pelikar::input::test {

void MemoryField::OwnKeyDown(int key, int shift) {
  const auto length = static_cast<std::int32_t>(text.size());
  const bool extend = (shift & kShift) != 0;
  if (key == kDelete && !locked) {
    text.erase(static_cast<std::size_t>(selStart), static_cast<std::size_t>(selLength > 0 ? selLength : Unit(selStart, 1)));
    selLength = 0;
  } else if (key == kLeft && extend) {
    if (selStart > 0) Select(selStart - 1, selLength + 1);
  } else if (key == kLeft) {
    Select(selLength > 0 ? selStart : std::max(0, selStart - Unit(selStart - 2, 1)), 0);
  } else if (key == kRight && extend) {
    if (selStart + selLength < length) ++selLength;
  } else if (key == kRight) {
    Select(selLength > 0 ? selStart + selLength : std::min(length, selStart + Unit(selStart, 1)), 0);
  } else if (key == kHome || key == kEnd) {
    Select(key == kHome ? 0 : length, 0);
  }
}

void MemoryField::OwnKeyPress(std::int16_t code) {
  if (code == 0 || locked || (code < 32 && code != kBackspace && (code != kEnter || !multiLine))) return;
  if (code == kBackspace) {
    // The selection, else the unit left of the caret.
    const std::int32_t gone = selLength > 0 ? selLength : selStart > 0 ? Unit(selStart - 2, 1) : 0;
    if (selLength == 0) selStart -= gone;
    text.erase(static_cast<std::size_t>(selStart), static_cast<std::size_t>(gone));
    selLength = 0;
    return;
  }
  const CodeString typed = code == kEnter ? "\r\n" : CodeString(1, CodeChar(static_cast<unsigned>(code)));
  if (maxLength > 0 && text.size() - selLength + typed.size() > static_cast<std::size_t>(maxLength)) return;
  text.replace(selStart, selLength, typed);
  Select(selStart + static_cast<std::int32_t>(typed.size()), 0);
}

std::string MemoryField::Shown() const {
  std::string shown;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i == static_cast<std::size_t>(selStart)) shown += selLength > 0 ? "[" : "|";
    if (i == static_cast<std::size_t>(selStart + selLength) && selLength > 0) shown += ']';
    if (i == text.size()) break;
    const Byte code = CodeAt(text, i);
    const bool plain = code >= 32 && code < 127 && std::string_view("<|[]").find(char(code)) == std::string_view::npos;
    shown += plain ? std::string(1, static_cast<char>(code)) : "<" + std::to_string(code) + ">";
  }
  return shown;
}

void MemoryField::Show(std::string_view shown) {
  text.clear();
  std::size_t start = 0, end = 0;
  for (std::size_t i = 0; i < shown.size(); ++i) {
    if (shown[i] == '|' || shown[i] == '[') {
      start = end = text.size();
    } else if (shown[i] == ']') {
      end = text.size();
    } else if (shown[i] == '<') {
      const std::size_t close = shown.find('>', i);
      text += CodeChar(static_cast<unsigned>(std::stoi(std::string(shown.substr(i + 1, close - i - 1)))));
      i = close;
    } else {
      text += shown[i];
    }
  }
  Select(static_cast<std::int32_t>(start), static_cast<std::int32_t>(end - start));
}

}  // namespace pelikar::input::test
