#pragma once
// The tooltip's text and where it stands, decided without a window: the tip is as
// large as its text, below the pointer, with its left edge 40 % of its width to the
// left of the pointer; near a screen edge it moves back inside the work area of the
// pointer's monitor.
#include <cstdint>

#include "common/code_string.h"

namespace pelikar::dialogs {

inline constexpr double kTooltipPoints = 11.25;  // Nivo2
inline constexpr int kTooltipIntervalMs = 200;   // redrawn and moved this often

struct PixelPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

struct PixelRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  std::int32_t width() const { return right - left; }
  std::int32_t height() const { return bottom - top; }
  bool operator==(const PixelRect&) const = default;
};

// The screen's resolution: twips a pixel, across and down.
struct TwipsPerPixel {
  double x = 15;
  double y = 15;
};

// What the tip shows of a text (already converted): one blank, the text without the
// blanks at its ends, two blanks.
CodeString TipDisplayText(CodeView tip);

// The tip's window on the screen, for a display text of textWidth by textHeight twips
// and the pointer at pointer, kept inside workArea (of the pointer's monitor) as far
// as it fits.
PixelRect PlaceTip(std::int32_t textWidth, std::int32_t textHeight, PixelPoint pointer,
                   TwipsPerPixel scale, const PixelRect& workArea);

}  // namespace pelikar::dialogs
