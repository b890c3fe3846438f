#include "dialogs/message_layout.h"

#include <cmath>

#include "encoding/convert_text.h"

namespace pelikar::dialogs {
namespace {

// The buttons' captions as typed on a Latin keyboard; button i returns i + 1.
constexpr const char* kButtonCaptions[kMessageButtonCount] = {
    "~jJhdJdJn~", "~hkwvht~", "~fd kjd[i~", "~sud l[nn~", "~lil kdsj~", "~fJgJi~", "~oJdJv~",
};

struct PlacedButton {
  int index;
  std::int32_t left;  // in a box of the standard width
};

struct ButtonSet {
  std::vector<PlacedButton> buttons;  // the first has the focus
};

const ButtonSet kButtonSets[] = {
    {{{0, 1440}}},                          // 0: ok
    {{{0, 720}, {1, 2160}}},                // 1: ok, cancel
    {{{2, 120}, {3, 1440}, {4, 2760}}},     // 2: abort, retry, ignore
    {{{5, 120}, {6, 1440}, {1, 2760}}},     // 3: yes, no, cancel
    {{{5, 720}, {6, 2160}}},                // 4: yes, no
    {{{3, 720}, {1, 2160}}},                // 5: retry, cancel
};

constexpr char kButtonSetError[] = "Err : Buttons must be between 0 To 5";
// The box keeps this much room beside its widest line.
constexpr std::int32_t kLineRoom = 345;
constexpr std::int32_t kWidenedRoom = 700;
constexpr std::int32_t kLeftMargin = 100;
constexpr std::int32_t kRightMargin = 201;
// The buttons' top edge above the box's bottom edge.
constexpr std::int32_t kButtonRise = 850;

std::int32_t Half(std::int32_t length) {
  return static_cast<std::int32_t>(std::nearbyint(length / 2.0));
}

// A line as wide as this widens the box to it, with room on both sides.
void MakeRoomFor(std::int32_t lineWidth, MessageLayout& layout) {
  if (layout.width - kLineRoom < lineWidth) layout.width = lineWidth + kWidenedRoom;
}

void Place(MessageLine& line, const MessageLayout& layout) {
  switch (layout.alignment) {
    case LineAlignment::Left: line.left = kLeftMargin; break;
    case LineAlignment::Right: line.left = layout.width - line.width - kRightMargin; break;
    case LineAlignment::Centre: line.left = Half(layout.width - line.width); break;
  }
}

// The prompt after conversion, split at each "|": the bar becomes a blank that starts
// the next line. The conversion reverses the text first, so the lines come out in the
// reverse of the order the caller wrote them.
std::vector<CodeString> SplitLines(CodeView prompt) {
  std::vector<CodeString> lines(1);
  for (char c : encoding::ConvertText(prompt, encoding::CodePage::Nivo)) {
    if (c == '|') {
      lines.emplace_back(" ");
    } else {
      lines.back().push_back(c);
    }
  }
  return lines;
}

// The lines grow a character at a time, and the box widens to a line whose text before
// the next character would not fit: the last character of a line never counts.
void LayOutLines(CodeView prompt, TextMeasure& measure, MessageLayout& layout) {
  std::int32_t top = kMessageLineTop;
  for (CodeString& text : SplitLines(prompt)) {
    const std::vector<std::int32_t> widths = measure.PrefixWidths(text);
    for (std::size_t shown = 0; shown < text.size(); ++shown) MakeRoomFor(widths[shown], layout);
    layout.lines.push_back({std::move(text), 0, top, widths.back()});
    top += kMessageLineStep;
  }
  layout.height += kMessageLineStep * static_cast<std::int32_t>(layout.lines.size() - 1);
  for (MessageLine& line : layout.lines) Place(line, layout);
}

void LayOutButtons(std::int16_t set, TextMeasure& measure, MessageLayout& layout) {
  for (int i = 0; i < kMessageButtonCount; ++i) {
    layout.buttons[i].caption =
        encoding::ConvertText(kButtonCaptions[i], encoding::CodePage::Nivo);
    layout.buttons[i].value = static_cast<std::int16_t>(i + 1);
  }
  if (set < 0 || set > 5) {
    // The error takes the first line's place, and the box makes room for it.
    MessageLine& first = layout.lines.front();
    first.text = kButtonSetError;
    first.width = WidthOf(measure, first.text);
    MakeRoomFor(first.width, layout);
    Place(first, layout);
    set = 0;
  }
  const ButtonSet& chosen = kButtonSets[set];
  layout.firstButton = chosen.buttons.front().index;
  // A box wider than the standard keeps its buttons in the middle.
  const std::int32_t offset =
      layout.width > kMessageWidth ? Half(layout.width - kMessageWidth) : 0;
  for (MessageButton& button : layout.buttons) button.top = layout.height - kButtonRise;
  for (const PlacedButton& placed : chosen.buttons) {
    layout.buttons[placed.index].shown = true;
    layout.buttons[placed.index].left = placed.left;
  }
  for (MessageButton& button : layout.buttons) button.left += offset;
}

}  // namespace

MessageLayout LayOutMessage(const MessageRequest& request, TextMeasure& measure) {
  MessageLayout layout;
  layout.alignment = request.alignment >= 0 && request.alignment <= 2
                         ? static_cast<LineAlignment>(request.alignment)
                         : LineAlignment::Left;
  LayOutLines(request.prompt, measure, layout);
  layout.caption = request.title.empty() ? request.programName : request.title;
  LayOutButtons(request.buttons, measure, layout);
  return layout;
}

}  // namespace pelikar::dialogs
