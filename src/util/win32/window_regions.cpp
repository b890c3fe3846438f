#include <windows.h>

#include "util/win32/win32_services.h"

namespace pelikar::util::win32 {
namespace {

// Window handles are 32 bits wide in every Windows process; a host's 32-bit number
// sign-extends back into one.
HWND WindowFrom(std::int32_t window) {
  return reinterpret_cast<HWND>(static_cast<INT_PTR>(window));
}

// After a successful SetWindowRgn the region belongs to the system.
std::int32_t GiveRegion(std::int32_t window, HRGN region) {
  if (region == nullptr) return 0;
  const int result = SetWindowRgn(WindowFrom(window), region, TRUE);
  if (result == 0) DeleteObject(region);
  return result;
}

}  // namespace

std::int32_t Win32WindowRegions::SetEllipticRegion(std::int32_t window, const RegionBox& box) {
  return GiveRegion(window, CreateEllipticRgn(box.left, box.top, box.right, box.bottom));
}

std::int32_t Win32WindowRegions::SetRoundRectRegion(std::int32_t window, const RegionBox& box,
                                                    std::int32_t cornerWidth,
                                                    std::int32_t cornerHeight) {
  return GiveRegion(window, CreateRoundRectRgn(box.left, box.top, box.right, box.bottom,
                                               cornerWidth, cornerHeight));
}

}  // namespace pelikar::util::win32
