#include "dialogs/tooltip_placement.h"

#include <algorithm>
#include <cmath>

namespace pelikar::dialogs {
namespace {

// The tip's frame is a tenth taller than its text.
constexpr double kHeightOverText = 1.1;
// Its top edge stands this many of its heights below the pointer.
constexpr double kDrop = 1.3;
// Its left edge stands this share of its width left of the pointer.
constexpr double kLeftShare = 0.4;

std::int32_t Pixels(double twips, double twipsPerPixel) {
  return static_cast<std::int32_t>(std::lround(twips / twipsPerPixel));
}

// start..start+length moved inside low..high; a length that cannot fit starts at low.
std::int32_t Inside(std::int32_t start, std::int32_t length, std::int32_t low, std::int32_t high) {
  return std::max(low, std::min(start, high - length));
}

}  // namespace

CodeString TipDisplayText(CodeView tip) { return " " + CodeString(TrimSpaces(tip)) + "  "; }

PixelRect PlaceTip(std::int32_t textWidth, std::int32_t textHeight, PixelPoint pointer,
                   TwipsPerPixel scale, const PixelRect& workArea) {
  const double height = textHeight * kHeightOverText;
  const double left = pointer.x * scale.x - textWidth * kLeftShare;
  const double top = height * kDrop + pointer.y * scale.y;
  const std::int32_t widthPx = Pixels(textWidth, scale.x);
  const std::int32_t heightPx = Pixels(height, scale.y);
  std::int32_t leftPx = Inside(Pixels(left, scale.x), widthPx, workArea.left, workArea.right);
  std::int32_t topPx = Pixels(top, scale.y);
  if (topPx + heightPx > workArea.bottom) {
    // No room below the pointer: the tip goes as far above it.
    topPx = pointer.y - (topPx - pointer.y) - heightPx;
  }
  topPx = Inside(topPx, heightPx, workArea.top, workArea.bottom);
  return {leftPx, topPx, leftPx + widthPx, topPx + heightPx};
}

}  // namespace pelikar::dialogs
