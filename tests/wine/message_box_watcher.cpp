#include "message_box_watcher.h"

#include <algorithm>

namespace pelikar::com_tests {
namespace {

constexpr DWORD kPollMs = 20;
constexpr UINT kReplyTimeoutMs = 2000;
constexpr int kMessageTextId = 0xFFFF;  // the static text of a message box

std::wstring WindowText(HWND window) {
  wchar_t text[4096] = {};
  DWORD_PTR length = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, sizeof text / sizeof text[0],
                      reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, kReplyTimeoutMs, &length);
  return text;
}

bool IsDialog(HWND window) {
  wchar_t className[32] = {};
  GetClassNameW(window, className, 32);
  return std::wstring(className) == L"#32770";
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

}  // namespace

MessageBoxWatcher::MessageBoxWatcher()
    : watched_(GetCurrentThreadId()),
      stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      thread_(CreateThread(nullptr, 0, Run, this, 0, nullptr)) {}

MessageBoxWatcher::~MessageBoxWatcher() {
  SetEvent(stop_);
  WaitForSingleObject(thread_, INFINITE);
  CloseHandle(thread_);
  CloseHandle(stop_);
}

std::vector<AnsweredBox> MessageBoxWatcher::answered() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return answered_;
}

DWORD WINAPI MessageBoxWatcher::Run(void* self) {
  static_cast<MessageBoxWatcher*>(self)->Watch();
  return 0;
}

void MessageBoxWatcher::Watch() {
  while (WaitForSingleObject(stop_, kPollMs) == WAIT_TIMEOUT) AnswerBoxesOf(watched_);
}

void MessageBoxWatcher::AnswerBoxesOf(DWORD thread) {
  std::vector<HWND> windows;
  EnumThreadWindows(thread, CollectWindow, reinterpret_cast<LPARAM>(&windows));
  for (HWND window : windows) {
    if (!IsDialog(window) || !IsWindowVisible(window)) continue;
    if (std::find(seen_.begin(), seen_.end(), window) == seen_.end()) {
      seen_.push_back(window);
      AnsweredBox box{WindowText(window), WindowText(GetDlgItem(window, kMessageTextId))};
      std::lock_guard<std::mutex> lock(mutex_);
      answered_.push_back(std::move(box));
    }
    // Posted, not sent: the click ends the box's modal loop on its own thread.
    HWND button = GetDlgItem(window, IDOK);
    if (button != nullptr) {
      PostMessageW(button, BM_CLICK, 0, 0);
    } else {
      PostMessageW(window, WM_CLOSE, 0, 0);
    }
  }
}

}  // namespace pelikar::com_tests
