#include "dialog_windows.h"

#include <winternl.h>

#include <cstdint>

namespace pelikar::com_tests {
namespace {

// Window enumeration callbacks: a list to fill, a count of the process's windows.
BOOL CALLBACK Collect(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

BOOL CALLBACK CountOwn(HWND window, LPARAM count) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == GetCurrentProcessId()) ++*reinterpret_cast<long*>(count);
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
      SetPropW(window, L"PelikarTestSeen", reinterpret_cast<HANDLE>(1));
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

GuiObjects CountGuiObjects() {
  GuiObjects counts;
  EnumChildWindows(GetDesktopWindow(), CountOwn, reinterpret_cast<LPARAM>(&counts.windows));
#ifdef _WIN64
  // PEB.GdiSharedHandleTable: entries of 24 bytes whose type byte (at 14) is non-zero
  // for a live object.
  PROCESS_BASIC_INFORMATION basic{};
  if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) {
    return counts;
  }
  const auto* peb = reinterpret_cast<const std::uint8_t*>(basic.PebBaseAddress);
  const auto* table = *reinterpret_cast<const std::uint8_t* const*>(peb + 0xF8);
  if (table == nullptr) return counts;
  counts.gdi = 0;
  for (std::size_t i = 0; i < 0x10000; ++i) counts.gdi += table[i * 24 + 14] != 0;
#endif
  return counts;
}

}  // namespace pelikar::com_tests
