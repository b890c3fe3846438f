#include "util/window_shape.h"

namespace pelikar::util {
namespace {

std::int32_t WindowOf(control::HostObject& form) { return form.Get("hwnd").ToLong(); }

}  // namespace

std::int32_t ShapeOval(control::HostObject& yourForm, WindowRegions& regions,
                       const RegionBox& box) {
  return regions.SetEllipticRegion(WindowOf(yourForm), box);
}

std::int32_t ShapeRect(control::HostObject& yourForm, WindowRegions& regions,
                       const RegionBox& box, std::int32_t cornerWidth,
                       std::int32_t cornerHeight) {
  return regions.SetRoundRectRegion(WindowOf(yourForm), box, cornerWidth, cornerHeight);
}

}  // namespace pelikar::util
