#pragma once
// ShapeOval and ShapeRect: a host window takes the shape of an ellipse or of a
// rounded rectangle. The window is the one whose handle the host object gives as its
// "hwnd" property; an object without one raises, a failing platform call answers 0.
#include <cstdint>

#include "control/host_object.h"
#include "util/system_services.h"

namespace pelikar::util {

// The ellipse inscribed in the box.
std::int32_t ShapeOval(control::HostObject& yourForm, WindowRegions& regions,
                       const RegionBox& box);

// The box with corners rounded by an ellipse of cornerWidth by cornerHeight; 0 and 0
// give the plain rectangle.
std::int32_t ShapeRect(control::HostObject& yourForm, WindowRegions& regions,
                       const RegionBox& box, std::int32_t cornerWidth,
                       std::int32_t cornerHeight);

}  // namespace pelikar::util
