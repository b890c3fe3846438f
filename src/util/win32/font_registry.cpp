#include <windows.h>

#include "util/win32/win32_services.h"

namespace pelikar::util::win32 {
namespace {

// Each window gets this long to take the news; a hung one is skipped at once.
constexpr UINT kBroadcastTimeoutMs = 1000;

}  // namespace

void Win32FontRegistry::Register(CodeView file) {
  AddFontResourceA(CodeString(file).c_str());
}

void Win32FontRegistry::BroadcastFontChange() {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0, SMTO_ABORTIFHUNG, kBroadcastTimeoutMs,
                      &ignored);
}

}  // namespace pelikar::util::win32
