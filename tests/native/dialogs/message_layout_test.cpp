#include "dialogs/message_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "encoding/convert_text.h"

namespace pelikar::dialogs {
namespace {

// Every character as wide as every other.
class EvenMeasure final : public TextMeasure {
 public:
  explicit EvenMeasure(std::int32_t each) : each_(each) {}
  std::vector<std::int32_t> PrefixWidths(CodeView text) override {
    std::vector<std::int32_t> widths;
    for (std::size_t k = 0; k <= text.size(); ++k) {
      widths.push_back(each_ * static_cast<std::int32_t>(k));
    }
    return widths;
  }

 private:
  std::int32_t each_;
};

MessageLayout LayOut(CodeView prompt, std::int16_t buttons = 0, std::int16_t alignment = 0,
                     CodeView title = "Title", std::int32_t charWidth = 100) {
  EvenMeasure measure(charWidth);
  return LayOutMessage({prompt, buttons, title, alignment, "Pelikar"}, measure);
}

struct LinesCase {
  const char* prompt;
  std::int16_t alignment;
  std::vector<std::string> lines;  // as the labels hold them, top to bottom
  std::vector<std::int32_t> lefts;
  std::int32_t width;
  std::int32_t height;
  std::int32_t buttonOffset;  // what the widening adds to every button's left edge
};

// The prompt is converted (reversed into visual order) before it is split, so its
// lines come out in the reverse of the order they were written in.
TEST(MessageLayout, LinesWidthAndHeight) {
  const std::string line39(39, 'x'), line40(40, 'x'), line45(45, 'x');
  const std::string twoLines = line40 + "|a";
  const LinesCase cases[] = {
      {"a|b", 0, {"b", " a"}, {100, 100}, 4185, 1750, 0},
      {"", 0, {""}, {100}, 4185, 1400, 0},
      {"a|b|c", 0, {"c", " b", " a"}, {100, 100, 100}, 4185, 2100, 0},
      // Out-of-range alignments are left alignment.
      {"ab", 3, {"ba"}, {100}, 4185, 1400, 0},
      {"ab", -1, {"ba"}, {100}, 4185, 1400, 0},
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
      {twoLines.c_str(), 1, {"a", " " + line40}, {4600 - 100 - 201, 4600 - 4100 - 201}, 4600,
       1750, 208},
  };
  for (const LinesCase& c : cases) {
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
}

struct ButtonSetCase {
  std::int16_t set;
  std::vector<std::pair<int, std::int32_t>> shown;  // index, left edge
};

TEST(MessageLayout, ButtonSets) {
  const ButtonSetCase cases[] = {
      {0, {{0, 1440}}},
      {1, {{0, 720}, {1, 2160}}},
      {2, {{2, 120}, {3, 1440}, {4, 2760}}},
      {3, {{5, 120}, {6, 1440}, {1, 2760}}},
      {4, {{5, 720}, {6, 2160}}},
      {5, {{3, 720}, {1, 2160}}},
      {7, {{0, 1440}}},
      {-1, {{0, 1440}}},
  };
  const char* captions[] = {"~jJhdJdJn~", "~hkwvht~", "~fd kjd[i~", "~sud l[nn~",
                            "~lil kdsj~", "~fJgJi~",   "~oJdJv~"};
  for (const ButtonSetCase& c : cases) {
    SCOPED_TRACE("set " + std::to_string(c.set));
    const MessageLayout layout = LayOut("a", c.set);
    for (int i = 0; i < kMessageButtonCount; ++i) {
      EXPECT_EQ(layout.buttons[i].value, i + 1);
      EXPECT_EQ(layout.buttons[i].caption,
                encoding::ConvertText(captions[i], encoding::CodePage::Nivo));
      bool shown = false;
      for (const auto& [index, left] : c.shown) {
        if (index != i) continue;
        shown = true;
        EXPECT_EQ(layout.buttons[i].left, left) << "button " << i;
      }
      EXPECT_EQ(layout.buttons[i].shown, shown) << "button " << i;
    }
    EXPECT_EQ(layout.firstButton, c.shown.front().first);
    const bool error = c.set < 0 || c.set > 5;
    EXPECT_EQ(layout.lines[0].text, error ? "Err : Buttons must be between 0 To 5" : "a");
  }
}

// The error line takes the place of the first line and the box makes room for it,
// placed by the alignment like any line.
TEST(MessageLayout, TheButtonSetErrorFitsTheBox) {
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
}

TEST(MessageLayout, CaptionIsTheTitleOrTheProgramName) {
  EXPECT_EQ(LayOut("a", 0, 0, "~sghl~").caption, "~sghl~") << "the title is not converted";
  EXPECT_EQ(LayOut("a", 0, 0, "").caption, "Pelikar");
}

}  // namespace
}  // namespace pelikar::dialogs
