#include "dialogs/win32/modal_loop.h"

namespace pelikar::dialogs::win32 {

void RunModalLoop(HWND dialog, const std::function<bool()>& done,
                  const std::function<bool(const MSG&)>& preview) {
  MSG message;
  while (!done() && IsWindow(dialog)) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == -1) return;
    if (got == 0) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (preview && preview(message)) continue;
    if (!IsDialogMessageW(dialog, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

}  // namespace pelikar::dialogs::win32
