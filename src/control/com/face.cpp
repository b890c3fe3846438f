#include "control/com/face.h"

#include <ocidl.h>
#include <olectl.h>

#include "control/com/dispatch_host_object.h"
#include "control/control.h"

namespace pelikar::com {
namespace {

constexpr int kDesignDpi = 96;
constexpr int kHimetricPerInch = 2540;
constexpr wchar_t kFaceText[] = L"Pelikar";

// The handle of an IFont behind a host value; it stays valid while the font object
// lives, and the control holds its font.
HFONT FontHandle(const host::HostValue& font) {
  const auto* object = std::get_if<host::HostValue::Object>(&font.storage());
  if (object == nullptr || *object == nullptr) return nullptr;
  const auto* host = dynamic_cast<const DispatchHostObject*>(object->get());
  if (host == nullptr || host->dispatch() == nullptr) return nullptr;
  IFont* typed = nullptr;
  if (FAILED(host->dispatch()->QueryInterface(IID_IFont, reinterpret_cast<void**>(&typed)))) {
    return nullptr;
  }
  HFONT handle = nullptr;
  if (FAILED(typed->get_hFont(&handle))) handle = nullptr;
  typed->Release();
  return handle;
}

int ScreenDpi(int index) {
  HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, index) : 0;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kDesignDpi;
}

}  // namespace

SIZEL FaceExtent() {
  return {MulDiv(control::kFaceSize.width, kHimetricPerInch, kDesignDpi),
          MulDiv(control::kFaceSize.height, kHimetricPerInch, kDesignDpi)};
}

SIZE FacePixels() {
  return {MulDiv(control::kFaceSize.width, ScreenDpi(LOGPIXELSX), kDesignDpi),
          MulDiv(control::kFaceSize.height, ScreenDpi(LOGPIXELSY), kDesignDpi)};
}

void DrawFace(HDC dc, const RECT& bounds, const host::HostValue& font) {
  HBRUSH paper = CreateSolidBrush(kFacePaper);
  FillRect(dc, &bounds, paper);
  DeleteObject(paper);
  HBRUSH ink = CreateSolidBrush(kFaceInk);
  FrameRect(dc, &bounds, ink);
  DeleteObject(ink);

  HFONT handle = FontHandle(font);
  if (handle == nullptr) handle = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  const HGDIOBJ previousFont = SelectObject(dc, handle);
  const COLORREF previousColor = SetTextColor(dc, kFaceInk);
  const int previousMode = SetBkMode(dc, TRANSPARENT);
  RECT text = bounds;
  DrawTextW(dc, kFaceText, -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SetBkMode(dc, previousMode);
  SetTextColor(dc, previousColor);
  SelectObject(dc, previousFont);
}

}  // namespace pelikar::com
