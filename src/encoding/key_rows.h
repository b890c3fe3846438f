#pragma once
// Helpers for writing the key tables as rows of data (internal to the table builders).
#include <array>

#include "encoding/tables.h"

namespace pelikar::encoding::detail {

// The typed characters 32-127, one row of 16 a line, as the tables are written.
using CharacterRows = std::array<Byte, 96>;

// The punctuation keys of a US keyboard and the character each types unshifted: their
// KeyMap entries repeat that character's entry.
struct PunctuationKey {
  Byte virtualKey;
  char character;
};
inline constexpr PunctuationKey kPunctuationKeys[] = {
    {186, ';'}, {187, '='}, {188, ','}, {189, '-'}, {190, '.'}, {191, '/'},
    {192, '`'}, {219, '['}, {220, '\\'}, {221, ']'}, {222, '\''},
};

constexpr Table BuildKeyMap(const CharacterRows& characters) {
  Table keyMap{};
  for (int c = 32; c < 128; ++c) keyMap[c] = characters[c - 32];
  for (const auto& key : kPunctuationKeys) keyMap[key.virtualKey] = keyMap[static_cast<Byte>(key.character)];
  return keyMap;
}

// A key that gives something of its own with Shift, and what it gives. Every other
// ShiftKeyMap entry stays 0.
struct ShiftKey {
  Byte virtualKey;
  Byte code;
};

template <std::size_t N>
constexpr Table BuildShiftKeyMap(const ShiftKey (&keys)[N]) {
  Table shiftKeyMap{};
  for (const auto& key : keys) shiftKeyMap[key.virtualKey] = key.code;
  return shiftKeyMap;
}

// The upper half (128-255) of a table, one row of 16 a line.
constexpr Table UpperHalf(const std::array<Byte, 128>& values) {
  Table table{};
  for (int i = 0; i < 128; ++i) table[128 + i] = values[i];
  return table;
}

}  // namespace pelikar::encoding::detail
