#include <algorithm>

#include "encoding/shaping_rules.h"

namespace pelikar::encoding::detail {
namespace {

constexpr int kLanes = 4;
constexpr std::size_t kSmallestPiece = 256;

// Splits h[0..n) into up to kLanes pieces of about equal size, each ending at a code
// below 128 that also starts the next.
int SplitIntoPieces(Byte* h, std::size_t n, ShapingCursor (&lanes)[kLanes]) {
  int count = 0;
  std::size_t begin = 0;
  for (int k = 1; k < kLanes && n >= kLanes * kSmallestPiece; ++k) {
    std::size_t boundary = std::max(begin + 1, n * k / kLanes);
    while (boundary < n && h[boundary] >= 128) ++boundary;
    if (boundary + 1 >= n) break;
    lanes[count++] = {h + begin, 0, boundary - begin + 1, 0, 0, 0};
    begin = boundary;
  }
  lanes[count++] = {h + begin, 0, n - begin, 0, 0, 0};
  return count;
}

// The first step of a piece, which has no left neighbour.
void Begin(const TableSet& t, ShapingCursor& lane) {
  if (lane.n < 3) return;
  Byte noLeft = 0;
  ShapeCodes(t, noLeft, lane.h[0], lane.h[1], lane.h[2]);
  lane.i = 1;
  lane.Load(t.derived);
}

void End(const TableSet& t, ShapingCursor& lane) {
  while (lane.StepsLeft() > 0) lane.Step(t.derived);
  if (lane.i > 0) lane.Store();
  ShapeLastSteps(t, lane.h, lane.i, lane.n);
}

// Steps all lanes together for as long as each has steps left. The lanes are copied
// into locals so that the compiler can keep them in registers.
void StepInLockstep(const TableSet::Derived& d, ShapingCursor (&lanes)[kLanes]) {
  static_assert(kLanes == 4);
  std::size_t common = lanes[0].StepsLeft();
  for (int k = 1; k < kLanes; ++k) common = std::min(common, lanes[k].StepsLeft());
  ShapingCursor a = lanes[0], b = lanes[1], c = lanes[2], e = lanes[3];
  for (std::size_t s = 0; s < common; ++s) {
    a.Step(d);
    b.Step(d);
    c.Step(d);
    e.Step(d);
  }
  lanes[0] = a;
  lanes[1] = b;
  lanes[2] = c;
  lanes[3] = e;
}

}  // namespace

void ShapeText(const TableSet& t, Byte* h, std::size_t n) {
  ShapingCursor lanes[kLanes];
  const int count = SplitIntoPieces(h, n, lanes);
  for (int k = 0; k < count; ++k) Begin(t, lanes[k]);
  if (count == kLanes) StepInLockstep(t.derived, lanes);
  for (int k = 0; k < count; ++k) End(t, lanes[k]);
}

}  // namespace pelikar::encoding::detail
