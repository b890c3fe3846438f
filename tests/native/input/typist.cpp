#include "typist.h"

#include <array>
#include <utility>

namespace pelikar::input::test {
namespace {

// The punctuation keys of a US keyboard: unshifted and shifted character.
constexpr std::array<std::pair<std::int16_t, std::pair<char, char>>, 11> kPunctuation{{
    {186, {';', ':'}},
    {187, {'=', '+'}},
    {188, {',', '<'}},
    {189, {'-', '_'}},
    {190, {'.', '>'}},
    {191, {'/', '?'}},
    {192, {'`', '~'}},
    {219, {'[', '{'}},
    {220, {'\\', '|'}},
    {221, {']', '}'}},
    {222, {'\'', '"'}},
}};
constexpr std::string_view kShiftedDigits = ")!@#$%^&*(";

}  // namespace

Key KeyOf(char typed) {
  if (typed >= 'a' && typed <= 'z') return {static_cast<std::int16_t>(typed - 32)};
  if (typed >= 'A' && typed <= 'Z') return {static_cast<std::int16_t>(typed), kShift};
  if (typed >= '0' && typed <= '9') return {static_cast<std::int16_t>(typed)};
  if (typed == ' ') return {32};
  if (const auto digit = kShiftedDigits.find(typed); digit != std::string_view::npos) {
    return {static_cast<std::int16_t>('0' + digit), kShift};
  }
  for (const auto& [key, characters] : kPunctuation) {
    if (characters.first == typed) return {key};
    if (characters.second == typed) return {key, kShift};
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
    if (punctuation == k) return shift ? characters.second : characters.first;
  }
  return 0;
}

Typist::Typist(int codePage) {
  settings.codePage = static_cast<encoding::CodePage>(codePage);
  Persian(true);
}

void Typist::Persian(bool on) {
  keyboard.table[kScrollLockKey] = on ? 0x01 : 0x00;
  settings.persian = on;
}
void Typist::NumLock(bool on) { keyboard.table[kNumLockKey] = on ? 0x01 : 0x00; }

Outcome Typist::Press(MemoryField& field, Key key) {
  Outcome outcome{};
  outcome.down = FarsiDown(field, key.code, key.shift, settings, services);
  if (KeyboardStateFetched()) settings.persian = ScrollLockOn();
  field.OwnKeyDown(key.code, key.shift);
  outcome.leftCharacter = CharacterOf(key);
  if (outcome.leftCharacter != 0) {
    outcome.press = FarsiPress(field, outcome.leftCharacter, settings, services);
    field.OwnKeyPress(outcome.leftCharacter);
  }
  return outcome;
}

void Typist::Type(MemoryField& field, std::string_view typed) {
  for (char c : typed) Press(field, KeyOf(c));
}

}  // namespace pelikar::input::test
