#include "util/window_shape.h"

#include "common/run_time_error.h"

namespace pelikar::util {
namespace {

// GDI takes region coordinates from -2^27 to 2^27 - 1; beyond that some platforms fail
// and others never return, so such a box is refused before it reaches them.
constexpr std::int32_t kSmallestCoordinate = -(1 << 27);
constexpr std::int32_t kLargestCoordinate = (1 << 27) - 1;

void RequireRegionCoordinates(std::initializer_list<std::int32_t> coordinates) {
  for (const std::int32_t c : coordinates) {
    if (c < kSmallestCoordinate || c > kLargestCoordinate) {
      throw RunTimeError(kInvalidProcedureCall, "region coordinate out of range");
    }
  }
}

}  // namespace

std::int32_t ShapeOval(std::int32_t window, WindowRegions& regions, const RegionBox& box) {
  RequireRegionCoordinates({box.left, box.top, box.right, box.bottom});
  return regions.SetEllipticRegion(window, box);
}

std::int32_t ShapeRect(std::int32_t window, WindowRegions& regions, const RegionBox& box,
                       std::int32_t cornerWidth, std::int32_t cornerHeight) {
  RequireRegionCoordinates({box.left, box.top, box.right, box.bottom, cornerWidth, cornerHeight});
  return regions.SetRoundRectRegion(window, box, cornerWidth, cornerHeight);
}

}  // namespace pelikar::util
