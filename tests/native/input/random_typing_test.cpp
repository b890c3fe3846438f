// Long random key sequences into random fields, with failures injected at random
// member accesses. Whatever is typed: no code 0 and, in Persian mode, no tilde gets into
// a field; the text changes only at the caret (or on the caret's line for Enter; date
// fields stay in their masks, numeric fields numeric); a failing call answers False and
// leaves the field as it was or as the same call on a sound field would, and KeyAscii
// as it came.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "input/key_codes.h"
#include "typist.h"

namespace pelikar::input::test {
namespace {

enum class Kind {
  Text, MultiLineText, LimitedText, Grid, Combo, Shamsi, Shamsi2, Miladi, Integer, Float, Label
};

struct FieldKind {
  Kind kind;
  const char* name;
  const char* tag;
};

constexpr FieldKind kKinds[] = {
    {Kind::Text, "Text1", ""},          {Kind::MultiLineText, "txtNotes", ""},
    {Kind::LimitedText, "Field1", "text"}, {Kind::Grid, "Grid1", ""},
    {Kind::Combo, "Combo1", ""},        {Kind::Shamsi, "MaskedBox1", "shamsi"},
    {Kind::Shamsi2, "Field2", " Shamsi2"}, {Kind::Miladi, "Text3", "miladi"},
    {Kind::Integer, "Text4", "integer"}, {Kind::Float, "Text5", "FLOAT"},
    {Kind::Label, "Label1", ""},
};

const char* MaskOf(Kind kind) {
  switch (kind) {
    case Kind::Shamsi: return "____/__/__";
    case Kind::Shamsi2: return "__/__/__";
    case Kind::Miladi: return "__/__/____";
    default: return nullptr;
  }
}

bool TypedByTheControl(Kind kind) {
  return !MaskOf(kind) && kind != Kind::Integer && kind != Kind::Float;
}

class RandomTyping : public testing::Test {
 protected:
  int Pick(int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); }

  Key RandomKey() {
    static constexpr std::string_view kTyped =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
        "0123456789 ./;',[]\\`-=!@#$%^&*()_+{}|:\"<>?~";
    static constexpr Key kOthers[] = {
        {kBackspace}, {kBackspace}, {kDelete}, {kLeft}, {kRight}, {kHome}, {kEnd},
        {kLeft, kShift}, {kRight, kShift}, {kEnter}, {32, kShift}, {'C', kCtrl},
        {'V', kCtrl}, {'S', kCtrl}, {97}, {105}, {112}, {'F', 4}};
    if (Pick(4) == 0) return kOthers[Pick(std::size(kOthers))];
    return KeyOf(kTyped[static_cast<std::size_t>(Pick(static_cast<int>(kTyped.size())))]);
  }

  std::mt19937 random{7771};
};

bool WellFormedDate(CodeView text, CodeView mask) {
  if (text.size() != mask.size()) return false;
  for (std::size_t i = 0; i < mask.size(); ++i) {
    const char c = text[i];
    if (mask[i] == '/' ? c != '/' : !(c == '_' || (c >= '0' && c <= '9'))) return false;
  }
  return true;
}

// Where a key may change the old text: a few characters around the caret or selection,
// on to the end of the word right of it (whose letters may take new forms), and past
// the number right of the caret (where a digit goes). Enter rewrites the caret's line.
std::pair<std::size_t, std::size_t> Reach(const MemoryField& before, Key key) {
  const CodeView text = before.text;
  const auto start = static_cast<std::size_t>(before.selStart);
  std::size_t from = start >= 3 ? start - 3 : 0;
  std::size_t to = std::min(text.size(), start + before.selLength + 4);
  while (to < text.size() && CodeAt(text, to) >= 128) ++to;
  std::size_t number = start;
  while (number < text.size() && IsNumberCode(CodeAt(text, number))) ++number;
  to = std::max(to, number);
  if (key.code == kEnter) {
    while (from > 0 && CodeAt(text, from - 1) >= 32) --from;
    while (to < text.size() && CodeAt(text, to) >= 32) ++to;
  }
  return {from, to};
}

// The part [from, to) of the old text that the new one does not share.
std::pair<std::size_t, std::size_t> Changed(CodeView old, CodeView now) {
  std::size_t prefix = 0;
  while (prefix < old.size() && prefix < now.size() && old[prefix] == now[prefix]) ++prefix;
  std::size_t suffix = 0;
  while (suffix < old.size() - prefix && suffix < now.size() - prefix &&
         old[old.size() - 1 - suffix] == now[now.size() - 1 - suffix]) {
    ++suffix;
  }
  return {prefix, old.size() - suffix};
}

CodeString WithoutSelection(const MemoryField& field) {
  return CodeString(field.text).erase(field.selStart, field.selLength);
}

TEST_F(RandomTyping, KeepsEveryFieldSound) {
  int keystrokes = 0;
  int failures = 0;
  for (int session = 0; session < 300; ++session) {
    const FieldKind& kind = kKinds[Pick(std::size(kKinds))];
    Typist typist(Pick(2));
    typist.NumLock(true);
    typist.Persian(Pick(4) != 0);
    typist.settings.multiLine = kind.kind == Kind::MultiLineText;
    typist.settings.environment = static_cast<std::int16_t>(Pick(3) == 0 ? 1 : 0);
    auto field = kind.kind == Kind::Grid || kind.kind == Kind::Combo
                     ? MemoryField::Grid(kind.name, kind.tag)
                     : MemoryField::TextBox(kind.name, kind.tag);
    field->multiLine = kind.kind == Kind::MultiLineText;
    field->maxLength = kind.kind == Kind::LimitedText ? 30 : 0;
    if (MaskOf(kind.kind) && Pick(2) == 0) field->Show("1370/1/5|");  // broken at first

    for (int step = 0; step < 200; ++step, ++keystrokes) {
      if (Pick(50) == 0) typist.Persian(!typist.settings.persian);
      const Key key = RandomKey();
      const std::string context = field->Shown() + " key " + std::to_string(key.code) + "/" +
                                  std::to_string(key.shift) + " in " + kind.name;
      const MemoryField before = *field;
      const bool persian = typist.keyboard.table[kScrollLockKey] != 0;

      // Key-down, perhaps on a field that fails at some member access.
      MemoryField sound = *field;
      if (Pick(20) == 0) field->failAt = field->accesses + Pick(10);
      const bool down = FarsiDown(*field, key.code, key.shift, typist.settings, typist.services);
      if (field->failAt >= 0 && field->accesses > field->failAt) {
        ++failures;
        FarsiDown(sound, key.code, key.shift, typist.settings, typist.services);
        EXPECT_FALSE(down) << context;
        EXPECT_TRUE(field->text == before.text || field->text == sound.text ||
                    field->text == WithoutSelection(before))
            << context << " left " << field->Shown();
        *field = sound;
      } else {
        EXPECT_EQ(down, TypedByTheControl(kind.kind)) << context;
      }
      field->failAt = -1;
      field->OwnKeyDown(key.code, key.shift);

      // Key-press, the same way.
      std::int16_t character = CharacterOf(key);
      if (character != 0) {
        const MemoryField beforePress = *field;
        sound = *field;
        std::int16_t soundCharacter = character;
        if (Pick(20) == 0) field->failAt = field->accesses + Pick(6);
        const bool press = FarsiPress(*field, character, typist.settings, typist.services);
        if (field->failAt >= 0 && field->accesses > field->failAt) {
          ++failures;
          EXPECT_EQ(character, soundCharacter) << context << " changed KeyAscii";
          FarsiPress(sound, soundCharacter, typist.settings, typist.services);
          EXPECT_FALSE(press) << context;
          EXPECT_TRUE(field->text == beforePress.text || field->text == sound.text ||
                      field->text == WithoutSelection(beforePress))
              << context << " left " << field->Shown();
          *field = sound;
          character = soundCharacter;
        } else {
          EXPECT_EQ(press, TypedByTheControl(kind.kind)) << context;
        }
        field->failAt = -1;
        field->OwnKeyPress(character);
      }

      const CodeView text = field->text;
      ASSERT_EQ(text.find('\0'), CodeView::npos) << context << " wrote a code 0";
      if (persian) {
        ASSERT_LE(std::count(text.begin(), text.end(), '~'),
                  std::count(before.text.begin(), before.text.end(), '~'))
            << context << " wrote a tilde";
      }
      if (const char* mask = MaskOf(kind.kind)) {
        if (WellFormedDate(before.text, mask) && before.selLength == 0) {
          ASSERT_TRUE(WellFormedDate(text, mask)) << context << " gave " << field->Shown();
        }
      } else if (kind.kind == Kind::Integer) {
        ASSERT_EQ(text.find_first_not_of("0123456789"), CodeView::npos) << context;
      } else if (kind.kind == Kind::Float) {
        ASSERT_EQ(text.find_first_not_of("0123456789."), CodeView::npos) << context;
        ASSERT_LE(std::count(text.begin(), text.end(), '.'), 1) << context;
      } else {
        const auto [from, to] = Changed(before.text, text);
        const auto [reachFrom, reachTo] = Reach(before, key);
        ASSERT_TRUE(from >= to || (from >= reachFrom && to <= reachTo))
            << context << " changed " << from << "-" << to << " giving " << field->Shown();
      }
    }
  }
  EXPECT_GT(failures, 500) << "failures injected in " << keystrokes << " keystrokes";
}

}  // namespace
}  // namespace pelikar::input::test
