// The dialogs' decisions without windows: the message box's layout, the tooltip's
// text and place, every step of the label animations, and the on-screen keyboard's
// captions and grid, the grid against facts from outside it.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "../code_page_facts.h"
#include "../test_support.h"
#include "../util/service_doubles.h"
#include "common/run_time_error.h"
#include "dialogs/animation.h"
#include "dialogs/keyboard_grid.h"
#include "dialogs/keyboard_model.h"
#include "dialogs/message_layout.h"
#include "dialogs/tooltip_placement.h"
#include "encoding/unicode_view.h"

#if PELIKAR_HAVE_ICU
#include "../unicode_facts.h"
#endif

namespace pelikar::dialogs {
namespace {

// Every character as wide as every other.
struct EvenMeasure final : TextMeasure {
  std::vector<std::int32_t> PrefixWidths(CodeView text) override {
    std::vector<std::int32_t> widths(text.size() + 1);
    for (std::size_t k = 0; k < widths.size(); ++k) widths[k] = each * static_cast<std::int32_t>(k);
    return widths;
  }
  std::int32_t each = 100;
};

MessageLayout LayOut(CodeView prompt, std::int16_t buttons = 0, std::int16_t alignment = 0, CodeView title = "Title", std::int32_t charWidth = 100) {
  EvenMeasure measure;
  measure.each = charWidth;
  return LayOutMessage({prompt, buttons, title, alignment, "Pelikar"}, measure);
}

// The prompt is converted (reversed into visual order) before it is split, so its
// lines come out in the reverse of the order they were written in.
TEST(DialogLayout, MessageBoxLinesButtonsAndSizeAndTheTipsPlace) {
  const std::string line39(39, 'x'), line40(40, 'x'), line45(45, 'x'), twoLines = line40 + "|a";
  // The lines as the labels hold them, top to bottom, and what the widening adds to
  // every button's left edge.
  const struct { const char* prompt; std::int16_t alignment; std::vector<std::string> lines; std::vector<std::int32_t> lefts;
                 std::int32_t width, height, buttonOffset; } cases[] = {
      {"a|b", 0, {"b", " a"}, {100, 100}, 4185, 1750, 0}, {"", 0, {""}, {100}, 4185, 1400, 0},
      {"a|b|c", 0, {"c", " b", " a"}, {100, 100, 100}, 4185, 2100, 0},
      // Out-of-range alignments are left alignment.
      {"ab", 3, {"ba"}, {100}, 4185, 1400, 0}, {"ab", -1, {"ba"}, {100}, 4185, 1400, 0},
      {"ab|c", 1, {"c", " ba"}, {4185 - 100 - 201, 4185 - 300 - 201}, 4185, 1750, 0},
      {"ab|c", 2, {"c", " ba"}, {2042, 1942}, 4185, 1750, 0},
      // A line's last character never counts: 39 characters do not widen the box.
      {line39.c_str(), 0, {line39}, {100}, 4185, 1400, 0},
      // 40 do: 3900 before the last is over 4185 - 345, so the box grows to 3900 + 700
      // and the buttons move right by half of 415, to the even neighbour.
      {line40.c_str(), 0, {line40}, {100}, 4600, 1400, 208},
      // Once widened, a line must pass the new width less 345 to widen it again.
      {line45.c_str(), 0, {line45}, {100}, 5000, 1400, 408},
      // The blank that starts a second line counts with it.
      {twoLines.c_str(), 1, {"a", " " + line40}, {4600 - 100 - 201, 4600 - 4100 - 201}, 4600, 1750, 208},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("prompt ") + c.prompt);
    const MessageLayout layout = LayOut(c.prompt, 0, c.alignment);
    ASSERT_EQ(layout.lines.size(), c.lines.size());
    for (std::size_t i = 0; i < c.lines.size(); ++i) {
      EXPECT_EQ(layout.lines[i].text, c.lines[i]);
      EXPECT_EQ(layout.lines[i].left, c.lefts[i]) << "line " << i;
      EXPECT_EQ(layout.lines[i].top, 105 + 350 * static_cast<std::int32_t>(i));
      EXPECT_EQ(layout.lines[i].width, 100 * static_cast<std::int32_t>(c.lines[i].size()));
    }
    EXPECT_EQ(layout.width, c.width);
    EXPECT_EQ(layout.height, c.height);
    EXPECT_EQ(layout.buttons[0].left, 1440 + c.buttonOffset);
    for (const MessageButton& button : layout.buttons) EXPECT_EQ(button.top, c.height - 850);
  }
  // The buttons each set shows: index and left edge.
  const struct { std::int16_t set; std::vector<std::pair<int, std::int32_t>> shown; } sets[] = {
      {0, {{0, 1440}}},           {1, {{0, 720}, {1, 2160}}}, {2, {{2, 120}, {3, 1440}, {4, 2760}}},
      {3, {{5, 120}, {6, 1440}, {1, 2760}}}, {4, {{5, 720}, {6, 2160}}}, {5, {{3, 720}, {1, 2160}}},
      {7, {{0, 1440}}},           {-1, {{0, 1440}}},
  };
  for (const auto& c : sets) {
    SCOPED_TRACE("set " + std::to_string(c.set));
    const MessageLayout layout = LayOut("a", c.set);
    for (int i = 0; i < kMessageButtonCount; ++i) {
      EXPECT_EQ(layout.buttons[i].value, i + 1);
      const auto shown = std::ranges::find(c.shown, i, &std::pair<int, std::int32_t>::first);
      EXPECT_EQ(layout.buttons[i].shown, shown != c.shown.end()) << "button " << i;
      if (shown != c.shown.end()) {
        EXPECT_EQ(layout.buttons[i].left, shown->second) << "button " << i;
      }
    }
    EXPECT_EQ(layout.firstButton, c.shown.front().first);
    const bool error = c.set < 0 || c.set > 5;
    EXPECT_EQ(layout.lines[0].text, error ? "Err : Buttons must be between 0 To 5" : "a");
  }
  // The error line takes the place of the first line and the box makes room for it,
  // placed by the alignment like any line.
  const MessageLayout layout = LayOut("a|b", 9, 1);
  ASSERT_EQ(layout.lines.size(), 2u);
  EXPECT_EQ(layout.lines[1].text, " a");
  EXPECT_EQ(layout.lines[0].width, 3600);
  EXPECT_EQ(layout.width, 4185);
  EXPECT_EQ(layout.lines[0].left, 4185 - 3600 - 201);
  const MessageLayout wide = LayOut("a", 6, 2, "", 110);
  EXPECT_EQ(wide.width, 3960 + 700);
  EXPECT_EQ(wide.lines[0].left, 350);
  EXPECT_EQ(wide.buttons[0].left, 1440 + 238);
  // The caption is the title, not converted, or the program's name.
  EXPECT_EQ(LayOut("a", 0, 0, "~sghl~").caption, "~sghl~");
  EXPECT_EQ(wide.caption, "Pelikar");
  // A text of 1500 by 300 twips at 15 twips a pixel: the tip is 100 by 22 pixels (a
  // tenth taller than the text), 40 pixels left of the pointer and 1.3 of its heights
  // below it, unless that leaves the work area of 0,0-800,600. At 12 twips a pixel (120
  // dots an inch) a text of 1200 by 240 is as big, here on a second monitor.
  const PixelRect work{0, 0, 800, 600}, second{800, 0, 1600, 600};
  const struct { PixelPoint pointer; std::int32_t twipsPerPixel; PixelRect area, expected; } tips[] = {
      {{400, 300}, 15, work, {360, 329, 460, 351}},    {{10, 300}, 15, work, {0, 329, 100, 351}},
      {{790, 300}, 15, work, {700, 329, 800, 351}},    {{400, 590}, 15, work, {360, 539, 460, 561}},  // above the pointer
      {{799, 599}, 15, work, {700, 548, 800, 570}},    {{1000, 100}, 12, second, {960, 129, 1060, 151}},
      {{805, 100}, 12, second, {800, 129, 900, 151}},
  };
  for (const auto& c : tips) {
    const std::int32_t t = c.twipsPerPixel;
    EXPECT_EQ(PlaceTip(100 * t, 20 * t, c.pointer, {static_cast<double>(t), static_cast<double>(t)}, c.area), c.expected) << c.pointer.x << "," << c.pointer.y;
  }
  // The text has one blank before and two after; blanks only show the added blanks.
  EXPECT_EQ(TipDisplayText("  a b  "), " a b  ");
  EXPECT_EQ(TipDisplayText("   "), "   ");
}

// Every step of the label animations, over a label that writes every property write and
// Refresh into one list (with the clock's time at each Refresh), a clock that moves on
// at each reading and a fixed random source: 0.5, 0.3, 0.999, 0.5, ... in turn.
using Steps = std::vector<std::string>;

class RecordingLabel final : public host::HostObject {
 public:
  explicit RecordingLabel(util::Clock& clock) : clock_(clock) {}
  host::HostValue Get(std::string_view member) override { return Check(member), CodeString("ab"); }
  void Put(std::string_view member, const host::HostValue& value) override {
    Check(member);
    steps.push_back(std::string(member) + "=" + host::TextOf(value));
  }
  host::HostValue Call(std::string_view member, std::span<const host::HostValue>) override {
    Check(member);
    steps.push_back(std::string(member));
    refreshTimes.push_back(clock_.Seconds());
    return {};
  }
  Steps steps;
  std::vector<double> refreshTimes;
  std::string missing;  // a member that raises 438

 private:
  void Check(std::string_view member) const {
    if (member == missing) throw RunTimeError(kMemberNotSupported);
  }
  util::Clock& clock_;
};

// The fixture is the message pump, counting its calls, and the random source.
class AnimationTest : public testing::Test, MessagePump, RandomSource {
 protected:
  void ProcessPending() override { ++pumped_; }
  double Next() override { return kRandom[drawn_++ % 3]; }
  bool Run(std::int16_t effect, float speed, std::int16_t min, std::int16_t max) {
    min_ = min;
    max_ = max;
    label_.steps.clear();
    AnimationServices services{clock_, *this, *this, messages_};
    return Animate(label_, effect, speed, min_, max_, services);
  }
  // The steps but the refreshes.
  Steps Writes() const {
    Steps writes = label_.steps;
    std::erase(writes, "Refresh");
    return writes;
  }

  static constexpr double kRandom[3] = {0.5, 0.3, 0.999};
  int pumped_ = 0, drawn_ = 0;
  util::test::SteppingClock clock_{0.0, 0.01};
  util::test::RecordingMessageBoxes messages_;
  RecordingLabel label_{clock_};
  std::int16_t min_ = 0, max_ = 0;
};

std::string Colour(int red, int green, int blue) { return "ForeColor=" + std::to_string(red | green << 8 | blue << 16); }

// Scrolling text: two copies of the caption, each with ten blanks, 24 characters shown
// from the end (the label is left with all of them); after every step the call waits
// 1 / Speed seconds and lets messages through (the growing font with its defaults is
// the Wine suite's script client's). Pulses climb and fall by tens.
// Each random colour draws red, green and blue in turn and rounds halves to even.
TEST_F(AnimationTest, EachEffectsSteps) {
  ASSERT_TRUE(Run(1, 100, 1, 2));
  const std::string work = "ab          ab          ";
  Steps expected;
  for (std::size_t start = work.size(); start-- > 0;) expected.insert(expected.end(), {"Caption=" + work.substr(start), "Refresh"});
  EXPECT_EQ(label_.steps, expected);
  EXPECT_EQ(pumped_, 24) << "messages are let through after every step";
  EXPECT_GE(label_.refreshTimes[1] - label_.refreshTimes[0], 0.01 - 1e-9) << "each step waits 1 / Speed seconds";
  for (const auto& [effect, top, channel] : {std::tuple{5, 250, 0}, std::tuple{6, 240, 1}, std::tuple{7, 240, 2}}) {
    ASSERT_TRUE(Run(static_cast<std::int16_t>(effect), 1000, 1, 2));
    const auto level = [c = channel](int v) { return Colour(c == 0 ? v : 0, c == 1 ? v : 0, c == 2 ? v : 0); };
    expected.clear();
    for (int pass = 0; pass < 2; ++pass) {
      for (int value = 110; value <= top; value += 10) expected.push_back(level(value));
      for (int value = top - 10; value >= 100; value -= 10) expected.push_back(level(value));
    }
    EXPECT_EQ(Writes(), expected) << "effect " << effect;
  }
  ASSERT_TRUE(Run(4, 1000, 5, 6));
  const std::string colour = Colour(128, 76, 255);
  EXPECT_EQ(label_.steps, (Steps{"FontSize=5", colour, "Refresh", "FontSize=6", colour, "Refresh"}));
  ASSERT_TRUE(Run(2, 1000, 1, 1));
  EXPECT_EQ(Writes().size(), 2u * 12u);
  EXPECT_EQ(Writes()[1], colour);
  // Min above Max runs no step; an effect that does not exist says so. A speed of zero
  // or NaN fails before anything, the defaults not even written back. A failing member
  // ends the animation with False; the label keeps the last step.
  EXPECT_TRUE(Run(3, 10, 20, 10));
  EXPECT_TRUE(Run(1, 10, 20, 10));
  for (std::int16_t effect : {0, 8, -1}) EXPECT_TRUE(Run(effect, 10, 0, 0)) << effect;
  EXPECT_EQ(messages_.shown, (std::vector<std::string>(3, "New effects in new versions")));
  for (float speed : {0.0f, -0.0f, std::numeric_limits<float>::quiet_NaN()}) {
    EXPECT_FALSE(Run(3, speed, 0, 0)) << speed;
    EXPECT_EQ(min_ + max_, 0);
  }
  EXPECT_EQ(messages_.shown.size(), 3u);
  EXPECT_TRUE(label_.steps.empty());
  label_.missing = "FontSize";
  EXPECT_FALSE(Run(3, 10, 0, 0));
  EXPECT_EQ(min_, 10) << "the defaults were written before the failure";
  label_.missing = "Refresh";
  EXPECT_FALSE(Run(5, 1000, 1, 1));
  EXPECT_EQ(label_.steps, Steps{Colour(110, 0, 0)});
}

// The on-screen keyboard's captions as Caps, Shift and En are pressed, the preview of
// the last character clicked, and what each button asks the window to do.
constexpr int kGraveKey = 0;       // Persian 148, shifted "~", Latin "`"
constexpr int kQKey = 15;          // Persian 198, no shifted caption, Latin "Q"
constexpr int kBackslashKey = 53;  // Persian 182, shifted "|", Latin "\"

// The captions of the first and the last key of the grid that change, of the Q key
// and of BackSp, which never changes: which sets show.
std::string Shown(const KeyboardModel& model) {
  std::string shown;
  for (int key : {kGraveKey, kQKey, kBackslashKey, kBackSpKey}) {
    const CodeString& caption = model.Caption(key);
    const bool persian = caption.size() == 1 && CodeAt(caption, 0) >= 128;
    shown += (shown.empty() ? "" : " ") + (persian ? std::to_string(CodeAt(caption, 0)) : caption);
  }
  return shown;
}

TEST(KeyboardModel, CaptionsPreviewAndActions) {
  // Events d: button down, u: button up, c: Caps.
  const struct { const char* what; std::vector<std::pair<char, int>> events; std::string shown; } captions[] = {
      {"as the dialog opens", {}, "148 198 182 BackSp"},
      {"Shift held", {{'d', kLeftShiftKey}}, "~ 198 | BackSp"},
      {"Shift released", {{'d', kRightShiftKey}, {'u', kRightShiftKey}}, "148 198 182 BackSp"},
      {"En held", {{'d', kEnKey}}, "` Q \\ BackSp"},
      {"En released", {{'d', kEnKey}, {'u', kEnKey}}, "148 198 182 BackSp"},
      {"Caps down", {{'c', 1}}, "~ 198 | BackSp"},
      {"Caps down, a key clicked", {{'c', 1}, {'d', kQKey}, {'u', kQKey}}, "~ 198 | BackSp"},
      {"Caps down, En clicked", {{'c', 1}, {'d', kEnKey}, {'u', kEnKey}}, "` Q \\ BackSp"},
      {"Caps down, En clicked, Caps up", {{'c', 1}, {'d', kEnKey}, {'u', kEnKey}, {'c', 0}}, "148 198 182 BackSp"},
      {"En held, Caps down", {{'d', kEnKey}, {'c', 1}}, "~ Q | BackSp"},
  };
  for (const auto& test : captions) {
    KeyboardModel model;
    for (const auto& [event, value] : test.events) {
      if (event == 'd') model.ButtonDown(value);
      if (event == 'u') model.ButtonUp(value);
      if (event == 'c') model.CapsClicked(value != 0);
    }
    EXPECT_EQ(Shown(model), test.shown) << test.what;
  }
  // The preview shows the character clicked.
  KeyboardModel model;
  EXPECT_EQ(model.Preview(), "");
  model.ButtonDown(kQKey);
  EXPECT_EQ(model.Preview(), model.Caption(kQKey));
  model.ButtonDown(kEscKey);
  EXPECT_EQ(model.Preview(), model.Caption(kQKey)) << "Esc is no character";
  model.ButtonUp(kEscKey);
  EXPECT_EQ(model.Preview(), " ");
  // What each button asks the window to do: type a key (with Shift while Caps is down),
  // or copy, cancel, accept or clear; Shift and En only change the captions.
  using Action = KeyPress::Action;
  const struct { int key; bool caps; Action action; int keyCode, shift; } actions[] = {
      {kGraveKey, false, Action::Type, 192, 0}, {kQKey, true, Action::Type, 'Q', 1}, {kBackSpKey, false, Action::Type, 8, 0},
      {14, false, Action::Type, 0, 0},  // Tab
      {kSpaceKey, true, Action::Type, 32, 1},  {kLeftShiftKey, false, Action::None, 0, 0}, {kEnKey, false, Action::None, 0, 0},
      {kCopyKey, false, Action::Copy, 0, 0},   {kEscKey, false, Action::Cancel, 0, 0},     {kOkKey, false, Action::Accept, 0, 0},
      {kClearKey, false, Action::Clear, 0, 0},
  };
  for (const auto& test : actions) {
    KeyboardModel model;
    model.CapsClicked(test.caps);
    const KeyPress press = model.ButtonDown(test.key);
    EXPECT_EQ(press.action, test.action) << test.key;
    if (test.action != Action::Type) continue;
    EXPECT_EQ(press.keyCode, test.keyCode) << test.key;
    EXPECT_EQ(press.shift, test.shift) << test.key;
  }
}

// The on-screen keyboard's grid against facts from outside it: the rows of a US
// keyboard and the virtual keys Windows gives their keys, and the letters of the
// Persian layout (through ICU).
// A US keyboard's character rows, left to right, as the keyboard draws them (the
// backslash key at the end of the Z row).
const std::map<std::int32_t, std::string> kUsRows = {
    {510, "`1234567890-="}, {870, "QWERTYUIOP[]"}, {1230, "ASDFGHJKL;'"}, {1590, "ZXCVBNM,./\\"}};

// The virtual keys of a US keyboard's punctuation keys (VK_OEM_1 ... VK_OEM_7); letters
// and digits are their own uppercase characters.
const std::map<char, int> kPunctuationKeys = {{';', 0xBA}, {'=', 0xBB}, {',', 0xBC}, {'-', 0xBD}, {'.', 0xBE}, {'/', 0xBF},
                                              {'`', 0xC0}, {'[', 0xDB}, {'\\', 0xDC}, {']', 0xDD}, {'\'', 0xDE}};

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
    std::ranges::sort(keys, {}, [](const KeyButton* key) { return key->box.left; });
    std::string latin;
    for (const KeyButton* key : keys) {
      latin += key->latin;
      EXPECT_EQ(key->keyCode, kPunctuationKeys.contains(key->latin) ? kPunctuationKeys.at(key->latin) : key->latin) << key->latin;
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

}  // namespace
}  // namespace pelikar::dialogs
