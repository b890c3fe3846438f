#pragma once
// The process's USER and GDI objects, counted where Wine can count them: Wine's
// GetGuiResources answers 0, so the windows are counted by enumeration and the GDI
// objects in the GDI handle table that the process environment block points to
// (which only 64-bit Wine fills).
#include <windows.h>

namespace pelikar::com_tests {

struct GuiObjects {
  long windows = 0;  // top-level windows of the process and all their children
  long gdi = -1;     // -1 where the table cannot be read
  bool operator==(const GuiObjects&) const = default;
};

GuiObjects CountGuiObjects();

}  // namespace pelikar::com_tests
