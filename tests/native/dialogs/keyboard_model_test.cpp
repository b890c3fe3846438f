// The on-screen keyboard's captions as Caps, Shift and En are pressed, the preview of
// the last character clicked, and what each button asks the window to do.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dialogs/keyboard_model.h"

namespace pelikar::dialogs {
namespace {

constexpr int kGraveKey = 0;       // Persian 148, shifted "~", Latin "`"
constexpr int kQKey = 15;          // Persian 198, no shifted caption, Latin "Q"
constexpr int kBackslashKey = 53;  // Persian 182, shifted "|", Latin "\"

// The captions of the first and the last key of the grid that change, of the Q key
// and of BackSp, which never changes: which sets show.
std::string Shown(const KeyboardModel& model) {
  std::string shown;
  for (int key : {kGraveKey, kQKey, kBackslashKey, kBackSpKey}) {
    const CodeString& caption = model.Caption(key);
    shown += (shown.empty() ? "" : " ") +
             (caption.size() == 1 && static_cast<Byte>(caption[0]) >= 128
                  ? std::to_string(static_cast<Byte>(caption[0]))
                  : caption);
  }
  return shown;
}

struct CaptionCase {
  const char* what;
  std::vector<std::pair<char, int>> events;  // d: button down, u: button up, c: Caps
  std::string shown;
};

TEST(KeyboardCaptions, FollowShiftEnAndCaps) {
  const CaptionCase cases[] = {
      {"as the dialog opens", {}, "148 198 182 BackSp"},
      {"Shift held", {{'d', kLeftShiftKey}}, "~ 198 | BackSp"},
      {"Shift released", {{'d', kRightShiftKey}, {'u', kRightShiftKey}}, "148 198 182 BackSp"},
      {"En held", {{'d', kEnKey}}, "` Q \\ BackSp"},
      {"En released", {{'d', kEnKey}, {'u', kEnKey}}, "148 198 182 BackSp"},
      {"Caps down", {{'c', 1}}, "~ 198 | BackSp"},
      {"Caps down, a key clicked", {{'c', 1}, {'d', kQKey}, {'u', kQKey}}, "~ 198 | BackSp"},
      {"Caps down, En clicked", {{'c', 1}, {'d', kEnKey}, {'u', kEnKey}}, "` Q \\ BackSp"},
      {"Caps down, En clicked, Caps up", {{'c', 1}, {'d', kEnKey}, {'u', kEnKey}, {'c', 0}},
       "148 198 182 BackSp"},
      {"En held, Caps down", {{'d', kEnKey}, {'c', 1}}, "~ Q | BackSp"},
  };
  for (const CaptionCase& test : cases) {
    KeyboardModel model;
    for (const auto& [event, value] : test.events) {
      if (event == 'd') model.ButtonDown(value);
      if (event == 'u') model.ButtonUp(value);
      if (event == 'c') model.CapsClicked(value != 0);
    }
    EXPECT_EQ(Shown(model), test.shown) << test.what;
  }
}

TEST(KeyboardCaptions, ThePreviewShowsTheCharacterClicked) {
  KeyboardModel model;
  EXPECT_EQ(model.Preview(), "");
  model.ButtonDown(kQKey);
  EXPECT_EQ(model.Preview(), model.Caption(kQKey));
  model.ButtonDown(kEscKey);
  EXPECT_EQ(model.Preview(), model.Caption(kQKey)) << "Esc is no character";
  model.ButtonUp(kEscKey);
  EXPECT_EQ(model.Preview(), " ");
}

TEST(KeyboardCaptions, EachButtonAsksForItsAction) {
  using Action = KeyPress::Action;
  const struct {
    int key;
    bool caps;
    Action action;
    int keyCode;
    int shift;
  } cases[] = {
      {kGraveKey, false, Action::Type, 192, 0}, {kQKey, true, Action::Type, 'Q', 1},
      {kBackSpKey, false, Action::Type, 8, 0}, {14, false, Action::Type, 0, 0},  // Tab
      {kSpaceKey, true, Action::Type, 32, 1},  {kLeftShiftKey, false, Action::None, 0, 0},
      {kEnKey, false, Action::None, 0, 0},     {kCopyKey, false, Action::Copy, 0, 0},
      {kEscKey, false, Action::Cancel, 0, 0},  {kOkKey, false, Action::Accept, 0, 0},
      {kClearKey, false, Action::Clear, 0, 0},
  };
  for (const auto& test : cases) {
    KeyboardModel model;
    model.CapsClicked(test.caps);
    const KeyPress press = model.ButtonDown(test.key);
    EXPECT_EQ(press.action, test.action) << test.key;
    if (test.action != Action::Type) continue;
    EXPECT_EQ(press.keyCode, test.keyCode) << test.key;
    EXPECT_EQ(press.shift, test.shift) << test.key;
  }
}

// In the text field Enter ends the dialog, and Persian typing goes through the
// insertion routine while the text is shorter than 70; the field itself then takes
// no printable character and no Backspace, and never a carriage return.
TEST(KeyboardField, KeysAndCharacters) {
  EXPECT_EQ(FieldKeyDown(13, false, 0), FieldKey::Accept);
  EXPECT_EQ(FieldKeyDown('A', true, 69), FieldKey::Type);
  EXPECT_EQ(FieldKeyDown('A', true, 70), FieldKey::Pass);
  EXPECT_EQ(FieldKeyDown('A', false, 0), FieldKey::Pass);
  const struct {
    int character;
    bool persian;
    int left;
  } characters[] = {{31, true, 31},  {32, true, 0},  {128, true, 0}, {129, true, 129},
                    {8, true, 0},    {8, false, 8},  {'a', false, 'a'}, {13, false, 0},
                    {13, true, 0}};
  for (const auto& typed : characters) {
    EXPECT_EQ(FieldKeyPress(typed.character, typed.persian), typed.left)
        << typed.character << " " << typed.persian;
  }
}

}  // namespace
}  // namespace pelikar::dialogs
