#pragma once
// ShapeOval and ShapeRect: a host window takes the shape of an ellipse or of a
// rounded rectangle. The window is given by its handle, as hosts hold it (a 32-bit
// number); a failing platform call answers 0.
#include <cstdint>

#include "util/system_services.h"

namespace pelikar::util {

// The ellipse inscribed in the box.
std::int32_t ShapeOval(std::int32_t window, WindowRegions& regions, const RegionBox& box);

// The box with corners rounded by an ellipse of cornerWidth by cornerHeight; 0 and 0
// give the plain rectangle.
std::int32_t ShapeRect(std::int32_t window, WindowRegions& regions, const RegionBox& box,
                       std::int32_t cornerWidth, std::int32_t cornerHeight);

}  // namespace pelikar::util
