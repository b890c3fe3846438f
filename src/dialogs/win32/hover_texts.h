#pragma once
// Hover texts for the controls of a window: one tooltip window owned by the window,
// and so destroyed with it.
#include <windows.h>

#include <string_view>

namespace pelikar::dialogs::win32 {

class HoverTexts {
 public:
  // A window whose tooltip the platform cannot make shows no hover texts.
  explicit HoverTexts(HWND owner);
  // The control shows text (ASCII) while the pointer rests on it.
  void Add(HWND control, std::string_view text);
  // So does an area of the owner's client area (a group box, which lets the mouse
  // through to the owner).
  void AddArea(const RECT& area, std::string_view text);

 private:
  void AddTool(UINT flags, UINT_PTR id, const RECT& area, std::string_view text);

  HWND owner_;
  HWND tips_;
  UINT_PTR areas_ = 0;
};

}  // namespace pelikar::dialogs::win32
