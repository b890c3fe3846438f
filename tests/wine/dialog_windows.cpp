#include "dialog_windows.h"

#include <winternl.h>

#include <cstdint>

namespace pelikar::com_tests {
namespace {

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM found) {
  reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
  return TRUE;
}

BOOL CALLBACK CountWindow(HWND window, LPARAM count) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == GetCurrentProcessId()) ++*reinterpret_cast<long*>(count);
  return TRUE;
}

long CountGdiObjects() {
#ifdef _WIN64
  // PEB.GdiSharedHandleTable: entries of 24 bytes whose type byte (at 14) is non-zero
  // for a live object.
  PROCESS_BASIC_INFORMATION basic{};
  if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &basic,
                                sizeof basic, nullptr) != 0) {
    return -1;
  }
  const auto* peb = reinterpret_cast<const std::uint8_t*>(basic.PebBaseAddress);
  const auto* table = *reinterpret_cast<const std::uint8_t* const*>(peb + 0xF8);
  if (table == nullptr) return -1;
  long count = 0;
  for (std::size_t i = 0; i < 0x10000; ++i) count += table[i * 24 + 14] != 0;
  return count;
#else
  return -1;
#endif
}

}  // namespace

std::wstring WindowText(HWND window) {
  wchar_t text[4096] = {};
  DWORD_PTR length = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                      2000, &length);
  return text;
}

WindowWatcher::WindowWatcher(std::wstring windowClass, Plan plan, DWORD pollMs, Describe describe)
    : class_(std::move(windowClass)),
      plan_(std::move(plan)),
      pollMs_(pollMs),
      describe_(std::move(describe)),
      watched_(GetCurrentThreadId()),
      stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      thread_(CreateThread(nullptr, 0, Run, this, 0, nullptr)) {}

WindowWatcher::~WindowWatcher() {
  SetEvent(stop_);
  WaitForSingleObject(thread_, INFINITE);
  CloseHandle(thread_);
  CloseHandle(stop_);
}

DWORD WINAPI WindowWatcher::Run(void* self) {
  auto& watcher = *static_cast<WindowWatcher*>(self);
  while (WaitForSingleObject(watcher.stop_, watcher.pollMs_) == WAIT_TIMEOUT) {
    std::vector<HWND> found;
    EnumThreadWindows(watcher.watched_, CollectWindow, reinterpret_cast<LPARAM>(&found));
    std::lock_guard<std::mutex> lock(watcher.mutex_);
    for (HWND window : found) {
      if (ClassOf(window) != watcher.class_ || !IsWindowVisible(window) || !IsWindowEnabled(window)) {
        continue;
      }
      auto known = watcher.windows_.find(window);
      if (known == watcher.windows_.end()) {
        known = watcher.windows_.emplace(window, std::make_pair(watcher.describe_(window), false)).first;
        watcher.seen_.push_back(known->second.first);
      }
      auto& [said, answered] = known->second;
      if (!answered) answered = watcher.plan_(window, said);
    }
  }
  return 0;
}

std::vector<std::wstring> WindowWatcher::seen() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return seen_;
}

void WindowWatcher::Forget() {
  std::lock_guard<std::mutex> lock(mutex_);
  windows_.clear();
}

// Posted, not sent, and again at every poll until the box goes: the click ends the
// box's modal loop on its own thread.
MessageBoxWatcher::MessageBoxWatcher()
    : WindowWatcher(L"#32770", [](HWND box, const std::wstring&) {
        const HWND ok = GetDlgItem(box, IDOK);
        PostMessageW(ok != nullptr ? ok : box, ok != nullptr ? BM_CLICK : WM_CLOSE, 0, 0);
        return false;
      }, 20, [](HWND box) { return WindowText(box) + L": " + WindowText(GetDlgItem(box, 0xFFFF)); }) {}

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
  EnumChildWindows(GetDesktopWindow(), CountWindow, reinterpret_cast<LPARAM>(&counts.windows));
  counts.gdi = CountGdiObjects();
  return counts;
}

}  // namespace pelikar::com_tests
