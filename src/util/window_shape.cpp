#include "util/window_shape.h"

namespace pelikar::util {

std::int32_t ShapeOval(std::int32_t window, WindowRegions& regions, const RegionBox& box) {
  return regions.SetEllipticRegion(window, box);
}

std::int32_t ShapeRect(std::int32_t window, WindowRegions& regions, const RegionBox& box,
                       std::int32_t cornerWidth, std::int32_t cornerHeight) {
  return regions.SetRoundRectRegion(window, box, cornerWidth, cornerHeight);
}

}  // namespace pelikar::util
