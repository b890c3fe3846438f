#include "window_watcher.h"

#include <algorithm>

namespace pelikar::com_tests {
namespace {

constexpr UINT kReplyTimeoutMs = 2000;
constexpr int kMessageTextId = 0xFFFF;  // the static text of a message box

struct Search {
  const std::wstring* windowClass;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM search) {
  auto& wanted = *reinterpret_cast<Search*>(search);
  wchar_t className[64] = {};
  GetClassNameW(window, className, 64);
  if (*wanted.windowClass == className && IsWindowVisible(window)) wanted.found.push_back(window);
  return TRUE;
}

}  // namespace

std::wstring WindowText(HWND window) {
  wchar_t text[4096] = {};
  DWORD_PTR length = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, sizeof text / sizeof text[0],
                      reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, kReplyTimeoutMs, &length);
  return text;
}

WindowWatcher::WindowWatcher(std::wstring windowClass, Act act, DWORD pollMs)
    : watched_(GetCurrentThreadId()),
      class_(std::move(windowClass)),
      act_(std::move(act)),
      pollMs_(pollMs),
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
    Search search{&watcher.class_, {}};
    EnumThreadWindows(watcher.watched_, CollectWindow, reinterpret_cast<LPARAM>(&search));
    for (HWND window : search.found) watcher.act_(window);
  }
  return 0;
}

MessageBoxWatcher::MessageBoxWatcher() : watcher_(L"#32770", [this](HWND box) { Answer(box); }) {}

std::vector<AnsweredBox> MessageBoxWatcher::answered() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return answered_;
}

void MessageBoxWatcher::Answer(HWND box) {
  if (std::find(seen_.begin(), seen_.end(), box) == seen_.end()) {
    seen_.push_back(box);
    AnsweredBox answered{WindowText(box), WindowText(GetDlgItem(box, kMessageTextId))};
    std::lock_guard<std::mutex> lock(mutex_);
    answered_.push_back(std::move(answered));
  }
  // Posted, not sent: the click ends the box's modal loop on its own thread.
  HWND button = GetDlgItem(box, IDOK);
  if (button != nullptr) {
    PostMessageW(button, BM_CLICK, 0, 0);
  } else {
    PostMessageW(box, WM_CLOSE, 0, 0);
  }
}

}  // namespace pelikar::com_tests
