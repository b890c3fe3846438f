#include "typist.h"

namespace pelikar::input::test {
namespace {

// The punctuation keys of a US keyboard, unshifted and shifted, and the shifted digits.
constexpr std::pair<std::int16_t, const char*> kPunctuation[] = {
    {186, ";:"}, {187, "=+"}, {188, ",<"}, {189, "-_"}, {190, ".>"}, {191, "/?"},
    {192, "`~"}, {219, "[{"}, {220, "\\|"}, {221, "]}"}, {222, "'\""}};
constexpr std::string_view kShiftedDigits = ")!@#$%^&*(";

}  // namespace

Key KeyOf(char typed) {
  if (typed >= 'a' && typed <= 'z') return {static_cast<std::int16_t>(typed - 32)};
  if ((typed >= 'A' && typed <= 'Z')) return {static_cast<std::int16_t>(typed), kShift};
  if ((typed >= '0' && typed <= '9') || typed == ' ') return {static_cast<std::int16_t>(typed)};
  if (const auto digit = kShiftedDigits.find(typed); digit != std::string_view::npos) return {static_cast<std::int16_t>('0' + digit), kShift};
  for (const auto& [key, characters] : kPunctuation) {
    if (characters[0] == typed) return {key};
    if (characters[1] == typed) return {key, kShift};
  }
  return {0};
}

std::int16_t CharacterOf(Key key) {
  const bool shift = (key.shift & kShift) != 0;
  const int k = key.code;
  if (key.shift & kCtrl) return k >= 'A' && k <= 'Z' ? static_cast<std::int16_t>(k - 64) : 0;
  if (k == kBackspace || k == kEnter || k == 32) return static_cast<std::int16_t>(k);
  if (k >= 'A' && k <= 'Z') return static_cast<std::int16_t>(shift ? k : k + 32);
  if (k >= '0' && k <= '9') return shift ? kShiftedDigits[k - '0'] : static_cast<std::int16_t>(k);
  if (k >= 96 && k <= 105) return static_cast<std::int16_t>(k - 48);  // the keypad, Num Lock on
  for (const auto& [punctuation, characters] : kPunctuation) {
    if (punctuation == k) return characters[shift ? 1 : 0];
  }
  return 0;
}

bool Typist::Press(MemoryField& field, Key key) {
  const bool down = FarsiDown(field, key.code, key.shift, settings, services);
  if (KeyboardStateFetched()) settings.persian = ScrollLockOn();
  field.OwnKeyDown(key.code, key.shift);
  if (std::int16_t character = CharacterOf(key); character != 0) {
    FarsiPress(field, character, settings, services);
    field.OwnKeyPress(character);
  }
  return down;
}
void Typist::Type(MemoryField& field, std::string_view typed) {
  for (char c : typed) Press(field, KeyOf(c));
}

}  // namespace pelikar::input::test
