#pragma once
// The screen as the dialogs measure it: its logical resolution, and the twips of a
// design turned into pixels with it (15 twips a pixel at 96 dots an inch, 12 at 120).
#include <windows.h>

#include <cstdint>

#include "dialogs/tooltip_placement.h"

namespace pelikar::dialogs::win32 {

class ScreenScale {
 public:
  // The screen's logical dots an inch; 96 when the screen cannot say.
  ScreenScale();

  int PixelsX(std::int32_t twips) const { return MulDiv(twips, dpiX_, kTwipsPerInch); }
  int PixelsY(std::int32_t twips) const { return MulDiv(twips, dpiY_, kTwipsPerInch); }
  std::int32_t TwipsX(int pixels) const { return MulDiv(pixels, kTwipsPerInch, dpiX_); }
  std::int32_t TwipsY(int pixels) const { return MulDiv(pixels, kTwipsPerInch, dpiY_); }
  TwipsPerPixel twipsPerPixel() const;
  // A font's height for CreateFont: points at the screen's resolution, as a
  // character height (negative).
  int FontHeight(double points) const;

 private:
  static constexpr int kTwipsPerInch = 1440;
  int dpiX_;
  int dpiY_;
};

// Where a dialog stands: centred on the screen, or with its top and left edges at
// given twips from the screen's top-left corner.
struct BoxPlacement {
  bool centred = true;
  std::int32_t top = 0;
  std::int32_t left = 0;
};

// The top-left corner, in pixels, of a window of the outer size given.
POINT PlacedAt(const ScreenScale& scale, const BoxPlacement& placement, int width, int height);

// A box given in twips, in pixels of the screen.
RECT PixelsOf(const ScreenScale& scale, std::int32_t left, std::int32_t top, std::int32_t width,
               std::int32_t height);

// A visible child control of parent with the identifier and font given. Throws when
// the platform cannot make it.
HWND CreateChild(HWND parent, const wchar_t* windowClass, DWORD style, int id, const RECT& at,
                 HFONT font);

// The module (the control's .ocx) that holds this code: it owns the dialogs' window
// classes.
HINSTANCE CodeModule();

// A window class of the code's module, registered at its first use in the process,
// with extraBytes for each window. Returns false (with the last error set) when the
// platform refuses it.
bool EnsureWindowClass(const wchar_t* name, WNDPROC procedure, int extraBytes = 0);
// Removes the classes registered so far: the module calls it when it is unloaded
// while the process goes on, so that a later load registers its own procedures.
void UnregisterWindowClasses();

}  // namespace pelikar::dialogs::win32
