#pragma once
// The control's message box as data: what the box shows and where, decided without a
// window. Lengths are twips (1/1440 inch), the unit of the box's design; the window
// that shows the layout converts them with the screen's resolution. The box's width
// and height are its outer size, frame and caption bar included; the lines and the
// buttons stand in its client area.
#include <array>
#include <cstdint>
#include <vector>

#include "common/code_string.h"
#include "dialogs/dialog_services.h"

namespace pelikar::dialogs {

// The design of the box.
inline constexpr std::int32_t kMessageWidth = 4185;
inline constexpr std::int32_t kMessageHeight = 1400;
inline constexpr std::int32_t kMessageLineTop = 105;
inline constexpr std::int32_t kMessageLineStep = 350;
inline constexpr std::int32_t kMessageButtonWidth = 1215;
inline constexpr std::int32_t kMessageButtonHeight = 375;
inline constexpr int kMessageButtonCount = 7;
// The prompt's lines and the buttons' captions: Nivo2, 11.25 and 9.75 points.
inline constexpr double kMessageLinePoints = 11.25;
inline constexpr double kMessageButtonPoints = 9.75;

enum class LineAlignment { Left = 0, Right = 1, Centre = 2 };

struct MessageRequest {
  CodeView prompt;       // keyboard-typed text; "|" starts a new line
  std::int16_t buttons;  // the button set, 0-5
  CodeView title;        // the caption as given; empty for the program's name
  std::int16_t alignment;
  CodeView programName;  // the control's own file name without its extension
};

struct MessageLine {
  CodeString text;  // Nivo codes in visual order
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;  // the text's width: a line is as wide as its text
};

struct MessageButton {
  CodeString caption;  // Nivo codes
  std::int16_t value = 0;  // what the box returns when the button is pressed
  bool shown = false;
  std::int32_t left = 0;
  std::int32_t top = 0;
};

struct MessageLayout {
  std::int32_t width = kMessageWidth;
  std::int32_t height = kMessageHeight;
  LineAlignment alignment = LineAlignment::Left;
  std::vector<MessageLine> lines;
  std::array<MessageButton, kMessageButtonCount> buttons;
  int firstButton = 0;  // the index of the button that has the focus and takes Enter
  CodeString caption;
};

// measure gives the widths of the prompt's text in its font (Nivo2, 11.25 points).
MessageLayout LayOutMessage(const MessageRequest& request, TextMeasure& measure);

}  // namespace pelikar::dialogs
