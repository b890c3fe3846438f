#include "dialogs/win32/dialog_services.h"

#include <windows.h>

namespace pelikar::dialogs::win32 {

void Win32MessagePump::ProcessPending() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

double Win32RandomSource::Next() {
  thread_local std::mt19937 generator;
  constexpr double kRange = 4294967296.0;  // 2^32: every draw is below 1
  return generator() / kRange;
}

}  // namespace pelikar::dialogs::win32
