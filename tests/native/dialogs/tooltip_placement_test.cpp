#include "dialogs/tooltip_placement.h"

#include <gtest/gtest.h>

namespace pelikar::dialogs {
namespace {

TEST(Tooltip, DisplayTextHasOneBlankBeforeAndTwoAfter) {
  EXPECT_EQ(TipDisplayText("abc"), " abc  ");
  EXPECT_EQ(TipDisplayText("  a b  "), " a b  ");
  EXPECT_EQ(TipDisplayText("   "), "   ") << "blanks only show the added blanks";
}

struct PlaceCase {
  const char* what;
  PixelPoint pointer;
  PixelRect expected;
};

// A text of 1500 by 300 twips at 15 twips a pixel: the tip is 100 by 22 pixels (a
// tenth taller than the text), 40 pixels left of the pointer and 1.3 of its heights
// below it, unless that leaves the work area of 0,0-800,600.
TEST(Tooltip, StandsBelowThePointerInsideTheWorkArea) {
  const PixelRect work{0, 0, 800, 600};
  const PlaceCase cases[] = {
      {"in the open", {400, 300}, {360, 329, 460, 351}},
      {"at the left edge", {10, 300}, {0, 329, 100, 351}},
      {"at the right edge", {790, 300}, {700, 329, 800, 351}},
      {"at the bottom: above the pointer", {400, 590}, {360, 539, 460, 561}},
      {"in the bottom-right corner", {799, 599}, {700, 548, 800, 570}},
  };
  for (const PlaceCase& c : cases) {
    EXPECT_EQ(PlaceTip(1500, 300, c.pointer, {15, 15}, work), c.expected) << c.what;
  }
}

TEST(Tooltip, FollowsTheScreensResolutionAndItsMonitor) {
  // 12 twips a pixel (120 dots an inch), on a second monitor right of the first.
  const PixelRect second{800, 0, 1600, 600};
  EXPECT_EQ(PlaceTip(1200, 240, {1000, 100}, {12, 12}, second),
            (PixelRect{960, 129, 1060, 151}));
  EXPECT_EQ(PlaceTip(1200, 240, {805, 100}, {12, 12}, second).left, 800);
}

}  // namespace
}  // namespace pelikar::dialogs
