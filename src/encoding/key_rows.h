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

// The keys that give something of their own with Shift, and what they give in each
// code page. Every other ShiftKeyMap entry stays 0.
struct ShiftKey {
  Byte virtualKey;
  Byte nivo;
  Byte ir;
};
inline constexpr ShiftKey kShiftKeys[] = {
    {48, 41, 41},   {49, 33, 33},   {50, 64, 64},   {51, 35, 35},   {52, 36, 36},
    {53, 37, 37},   {54, 94, 94},   {55, 38, 38},   {56, 42, 42},   {57, 40, 40},
    {67, 91, 91},   {71, 235, 242}, {72, 134, 141}, {73, 130, 37},  {74, 133, 139},
    {75, 131, 138}, {76, 92, 92},   {79, 129, 42},  {80, 128, 59},  {85, 39, 39},
    {86, 93, 93},   {186, 58, 58},  {187, 43, 43},  {188, 60, 60},  {189, 95, 95},
    {190, 62, 62},  {191, 132, 140}, {192, 126, 126}, {219, 123, 123}, {220, 124, 124},
    {221, 125, 125}, {222, 34, 34},
};

constexpr Table BuildShiftKeyMap(CodePage codePage) {
  Table shiftKeyMap{};
  for (const auto& key : kShiftKeys) shiftKeyMap[key.virtualKey] = codePage == CodePage::Nivo ? key.nivo : key.ir;
  return shiftKeyMap;
}

// The upper half (128-255) of a table, one row of 16 a line.
constexpr Table UpperHalf(const std::array<Byte, 128>& values) {
  Table table{};
  for (int i = 0; i < 128; ++i) table[128 + i] = values[i];
  return table;
}

}  // namespace pelikar::encoding::detail
