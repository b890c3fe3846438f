#include "dialogs/win32/tooltip_window.h"

#include <windows.h>

#include <atomic>
#include <memory>
#include <stdexcept>

#include "dialogs/tooltip_placement.h"
#include "dialogs/win32/glyph_font.h"
#include "dialogs/win32/screen.h"
#include "encoding/convert_text.h"

namespace pelikar::dialogs::win32 {
namespace {

constexpr UINT_PTR kTimer = 1;
constexpr COLORREF kFrameInk = RGB(0, 0, 0);

struct Tip {
  ScreenScale scale;
  GlyphFont font{scale, kTooltipPoints, FW_NORMAL};
  CodeString display;  // what the window shows
  HWND window = nullptr;
};

// A plain pointer: a thread-local object with a destructor would run it at thread
// exit, after the thread's windows are gone.
thread_local Tip* threadTip = nullptr;
thread_local int threadUsers = 0;
std::atomic<int> openTips{0};

void Paint(HWND window, const Tip& tip) {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(window, &paint);
  RECT inside;
  GetClientRect(window, &inside);
  FillRect(dc, &inside, GetSysColorBrush(COLOR_INFOBK));
  const HGDIOBJ oldFont = SelectObject(dc, tip.font.handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
  TextOutA(dc, 0, 0, tip.display.data(), static_cast<int>(tip.display.size()));
  SelectObject(dc, oldFont);
  const HBRUSH frame = CreateSolidBrush(kFrameInk);
  FrameRect(dc, &inside, frame);
  DeleteObject(frame);
  EndPaint(window, &paint);
}

// Every tick: the tip as large as its text, below the pointer, inside the work area
// of the pointer's monitor.
void Follow(HWND window, const Tip& tip) {
  FontMeasure measure(tip.font.handle(), tip.scale);
  const std::int32_t width = WidthOf(measure, tip.display);
  const std::int32_t height = tip.scale.TwipsY(measure.LineHeight());
  POINT pointer{};
  GetCursorPos(&pointer);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  const PixelRect at = PlaceTip(width, height, {pointer.x, pointer.y}, tip.scale.twipsPerPixel(),
                                {work.left, work.top, work.right, work.bottom});
  SetWindowPos(window, HWND_TOPMOST, at.left, at.top, at.width(), at.height(),
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(window, nullptr, FALSE);
}

LRESULT CALLBACK TipProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const Tip* tip = threadTip;
  if (tip != nullptr && tip->window == window) {
    switch (message) {
      case WM_TIMER:
        if (wParam == kTimer) Follow(window, *tip);
        return 0;
      case WM_PAINT:
        Paint(window, *tip);
        return 0;
      case WM_ERASEBKGND:
        return 1;  // painted whole
    }
  }
  switch (message) {
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_NCHITTEST:
      return HTTRANSPARENT;  // the pointer's clicks go to what lies below
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void RemoveTip() {
  if (threadTip == nullptr) return;
  if (threadTip->window != nullptr) {
    DestroyWindow(threadTip->window);
    --openTips;
  }
  delete threadTip;
  threadTip = nullptr;
}

Tip& ThreadTip() {
  if (threadTip != nullptr) return *threadTip;
  if (!EnsureWindowClass(kTooltipClass, TipProcedure)) {
    throw std::runtime_error("the tooltip's window class could not be registered");
  }
  auto tip = std::make_unique<Tip>();
  tip->window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE,
                                kTooltipClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                CodeModule(), nullptr);
  if (tip->window == nullptr) throw std::runtime_error("the tooltip could not be made");
  ++openTips;
  threadTip = tip.release();
  return *threadTip;
}

}  // namespace

void SetTooltip(CodeView tipStr) {
  if (tipStr.empty()) {
    RemoveTip();
    return;
  }
  const CodeString display =
      TipDisplayText(encoding::ConvertText(tipStr, encoding::CodePage::Nivo));
  Tip& tip = ThreadTip();
  KillTimer(tip.window, kTimer);
  tip.display = display;
  if (SetTimer(tip.window, kTimer, kTooltipIntervalMs, nullptr) == 0) {
    RemoveTip();
    throw std::runtime_error("the tooltip's timer could not be set");
  }
}

void TooltipUserCreated() { ++threadUsers; }

void TooltipUserDestroyed() {
  if (threadUsers > 0 && --threadUsers == 0) RemoveTip();
}

bool TooltipsOpen() { return openTips > 0; }

}  // namespace pelikar::dialogs::win32
