// The on-screen keyboard's captions as Caps, Shift and En are pressed, the preview of
// the last character clicked, and what each button asks the window to do.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dialogs/keyboard_model.h"

namespace pelikar::dialogs {
namespace {

constexpr int kGraveKey = 0;  // Persian 148, shifted "~", Latin "`"
constexpr int kQKey = 15;     // Persian 198, no shifted caption, Latin "Q"

// The captions of the grave key and the Q key: which sets show.
std::string Shown(const KeyboardModel& model) {
  const auto name = [](const CodeString& caption) {
    return caption.size() == 1 && static_cast<Byte>(caption[0]) >= 128
               ? std::to_string(static_cast<Byte>(caption[0]))
               : caption;
  };
  return name(model.Caption(kGraveKey)) + " " + name(model.Caption(kQKey));
}

struct CaptionCase {
  const char* what;
  std::vector<std::pair<char, int>> events;  // d: button down, u: button up, c: Caps
  std::string shown;
};

TEST(KeyboardCaptions, FollowShiftEnAndCaps) {
  const CaptionCase cases[] = {
      {"as the dialog opens", {}, "148 198"},
      {"Shift held", {{'d', kLeftShiftKey}}, "~ 198"},
      {"Shift released", {{'d', kRightShiftKey}, {'u', kRightShiftKey}}, "148 198"},
      {"En held", {{'d', kEnKey}}, "` Q"},
      {"En released", {{'d', kEnKey}, {'u', kEnKey}}, "148 198"},
      {"Caps down", {{'c', 1}}, "~ 198"},
      {"Caps down, a key clicked", {{'c', 1}, {'d', kQKey}, {'u', kQKey}}, "~ 198"},
      {"Caps down, En clicked", {{'c', 1}, {'d', kEnKey}, {'u', kEnKey}}, "` Q"},
      {"Caps down, En clicked, Caps up", {{'c', 1}, {'d', kEnKey}, {'u', kEnKey}, {'c', 0}},
       "148 198"},
      {"En held, Caps down", {{'d', kEnKey}, {'c', 1}}, "~ Q"},
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
      {kQKey, false, Action::Type, 'Q', 0},  {kQKey, true, Action::Type, 'Q', 1},
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

}  // namespace
}  // namespace pelikar::dialogs
