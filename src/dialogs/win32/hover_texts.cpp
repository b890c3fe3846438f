#include "dialogs/win32/hover_texts.h"

#include <commctrl.h>

#include <string>

#include "dialogs/win32/screen.h"

namespace pelikar::dialogs::win32 {
namespace {

HWND CreateTips(HWND owner) {
  static const bool ready = [] {
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    return InitCommonControlsEx(&classes) != FALSE;
  }();
  if (!ready) return nullptr;
  return CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner,
                         nullptr, CodeModule(), nullptr);
}

}  // namespace

HoverTexts::HoverTexts(HWND owner) : owner_(owner), tips_(CreateTips(owner)) {}

void HoverTexts::Add(HWND control, std::string_view text) {
  if (control == nullptr) return;
  AddTool(TTF_IDISHWND | TTF_SUBCLASS, reinterpret_cast<UINT_PTR>(control), {}, text);
}

void HoverTexts::AddArea(const RECT& area, std::string_view text) {
  AddTool(TTF_SUBCLASS, ++areas_, area, text);
}

void HoverTexts::AddTool(UINT flags, UINT_PTR id, const RECT& area, std::string_view text) {
  if (tips_ == nullptr || text.empty()) return;
  std::wstring wide(text.begin(), text.end());
  TOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V1_SIZE;
  tool.uFlags = flags;
  tool.hwnd = owner_;
  tool.uId = id;
  tool.rect = area;
  tool.lpszText = wide.data();  // copied by the tooltip
  SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace pelikar::dialogs::win32
