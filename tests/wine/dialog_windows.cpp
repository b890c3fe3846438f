#include "dialog_windows.h"

namespace pelikar::com_tests {
namespace {

BOOL CALLBACK Collect(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

}  // namespace

std::wstring WindowText(HWND window) {
  wchar_t text[4096] = {};
  DWORD_PTR length = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &length);
  return text;
}

WindowWatcher::WindowWatcher(const wchar_t* windowClass, Act act, DWORD pollMs)
    : class_(windowClass), act_(std::move(act)), pollMs_(pollMs) {}

WindowWatcher::~WindowWatcher() {
  SetEvent(stop_);
  WaitForSingleObject(thread_, INFINITE);
  CloseHandle(thread_);
  CloseHandle(stop_);
}

// A window seen before carries a property: Wine gives a new window the handle of one
// just destroyed, but not its properties.
DWORD WINAPI WindowWatcher::Run(void* self) {
  auto& watcher = *static_cast<WindowWatcher*>(self);
  while (WaitForSingleObject(watcher.stop_, watcher.pollMs_) == WAIT_TIMEOUT) {
    std::vector<HWND> found;
    EnumThreadWindows(watcher.watched_, Collect, reinterpret_cast<LPARAM>(&found));
    for (HWND window : found) {
      wchar_t name[64] = {};
      GetClassNameW(window, name, 64);
      if (wcscmp(name, watcher.class_) != 0 || !IsWindowVisible(window) || !IsWindowEnabled(window)) continue;
      const bool first = GetPropW(window, L"PelikarTestSeen") == nullptr;
      if (first) SetPropW(window, L"PelikarTestSeen", reinterpret_cast<HANDLE>(1));
      watcher.act_(window, first);
    }
  }
  return 0;
}

void Pump(DWORD milliseconds, const std::function<bool()>& done) {
  for (const DWORD start = GetTickCount(); GetTickCount() - start < milliseconds && !done(); Sleep(5)) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

}  // namespace pelikar::com_tests
