// The on-screen keyboard's grid against facts from outside it: the rows of a US
// keyboard and the virtual keys Windows gives their keys, the letters of the Persian
// layout (through ICU), and what each key types with Shift.
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "../code_page_facts.h"
#include "common/run_time_error.h"
#include "dialogs/keyboard_grid.h"
#include "encoding/shaping.h"
#include "encoding/unicode_view.h"
#include "input/key_codes.h"
#include "../test_support.h"
#include "../unicode_facts.h"

namespace pelikar::dialogs {
namespace {

// A US keyboard's character rows, left to right, as the keyboard draws them (the
// backslash key at the end of the Z row).
const std::map<std::int32_t, std::string> kUsRows = {
    {510, "`1234567890-="}, {870, "QWERTYUIOP[]"}, {1230, "ASDFGHJKL;'"}, {1590, "ZXCVBNM,./\\"}};

// The virtual keys of a US keyboard's punctuation keys (VK_OEM_1 ... VK_OEM_7); letters
// and digits are their own uppercase characters.
const std::map<char, int> kPunctuationKeys = {
    {';', 0xBA}, {'=', 0xBB}, {',', 0xBC}, {'-', 0xBD}, {'.', 0xBE}, {'/', 0xBF},
    {'`', 0xC0}, {'[', 0xDB}, {'\\', 0xDC}, {']', 0xDD}, {'\'', 0xDE}};

int VirtualKeyOf(char key) {
  const auto punctuation = kPunctuationKeys.find(key);
  return punctuation != kPunctuationKeys.end() ? punctuation->second : key;
}

std::vector<const KeyButton*> CharacterKeys() {
  std::vector<const KeyButton*> keys;
  for (const KeyButton& key : kKeyGrid) {
    if (key.latin != 0) keys.push_back(&key);
  }
  return keys;
}

TEST(KeyboardGrid, TheCharacterKeysAreTheUsRowsWithTheirVirtualKeys) {
  std::map<std::int32_t, std::vector<const KeyButton*>> rows;
  for (const KeyButton* key : CharacterKeys()) rows[key->box.top].push_back(key);
  ASSERT_EQ(rows.size(), kUsRows.size());
  for (auto& [top, keys] : rows) {
    std::sort(keys.begin(), keys.end(),
              [](const KeyButton* a, const KeyButton* b) { return a->box.left < b->box.left; });
    std::string latin;
    for (const KeyButton* key : keys) {
      latin += key->latin;
      EXPECT_EQ(key->keyCode, VirtualKeyOf(key->latin)) << key->latin;
    }
    EXPECT_EQ(latin, kUsRows.at(top));
  }
  EXPECT_EQ(kKeyGrid[kBackSpKey].keyCode, 8);
  EXPECT_EQ(kKeyGrid[kSpaceKey].keyCode, 32);
  EXPECT_EQ(test::ErrorNumberOf([] { KeyCodeOf(kKeyCount); }), kSubscriptOutOfRange);
  EXPECT_EQ(test::ErrorNumberOf([] { KeyCodeOf(-1); }), kSubscriptOutOfRange);
}

#if PELIKAR_HAVE_ICU
// A letter key shows its letter alone; the other keys show their own character. The
// M key shows the yeh with hamza that it types, in the form that reads as that
// letter: its isolated code serves as the hamza.
TEST(KeyboardGrid, ThePersianCaptionsAreTheLayoutsLetters) {
  std::map<char, char32_t> letters;
  for (const auto& [key, letter] : test::kLayoutLetters) letters[key] = letter;
  for (const KeyButton* key : CharacterKeys()) {
    const char lower = key->latin >= 'A' && key->latin <= 'Z' ? key->latin + 32 : key->latin;
    const char32_t shown = encoding::UnicodeOf(encoding::CodePage::Nivo, key->persian);
    const auto letter = letters.find(lower);
    if (letter == letters.end()) {
      EXPECT_EQ(key->persian, static_cast<Byte>(key->latin)) << key->latin;
      continue;
    }
    EXPECT_EQ(test::BaseLetter(shown), letter->second) << key->latin;
    EXPECT_EQ(test::ShownForm(shown), lower == 'm' ? 1 : 4) << key->latin;
  }
}
#endif

// The shifted captions stand on the keys that type something of their own with Shift,
// and show it alone. The tilde is never typed into Persian text (it would start a
// Persian stretch when the text is turned back into keys), yet its key shows it.
TEST(KeyboardGrid, TheShiftedCaptionsShowWhatShiftTypes) {
  const encoding::TableSet& nivo = encoding::NivoTableSet();
  int shifted = 0;
  for (const KeyButton* key : CharacterKeys()) {
    if (nivo.shiftKeyMap[key->keyCode] == 0) {
      EXPECT_EQ(key->shifted, 0) << key->latin;
      continue;
    }
    ++shifted;
    if (key->latin == '`') {
      EXPECT_EQ(key->shifted, '~');
      continue;
    }
    Byte left = 0, typed = input::CodeOfKey(nivo, key->keyCode, true), right = 0;
    encoding::ShapeLetter(nivo, left, typed, right, 0);
    EXPECT_EQ(key->shifted, typed) << key->latin;
  }
  EXPECT_EQ(shifted, 32);
}

}  // namespace
}  // namespace pelikar::dialogs
