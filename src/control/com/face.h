#pragma once
// The control's face: a small framed box with the control's name, drawn with the
// control's font. It is the picture that fixes the control's size.
#include <windows.h>

#include "host/host_value.h"

namespace pelikar::com {

inline constexpr COLORREF kFacePaper = RGB(255, 255, 255);
inline constexpr COLORREF kFaceInk = RGB(0, 51, 153);

// The face's size in HIMETRIC units (0.01 mm), as containers measure extents.
SIZEL FaceExtent();
// The face's size in pixels of the screen.
SIZE FacePixels();

// Draws the face to fill bounds; font is the control's font (an IFont object), or
// empty for the system's default GUI font.
void DrawFace(HDC dc, const RECT& bounds, const host::HostValue& font);

}  // namespace pelikar::com
