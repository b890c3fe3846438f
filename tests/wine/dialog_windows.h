#pragma once
// What the tests of the control's own windows share: windows watched and answered
// from a thread of their own while the test thread waits in a modal loop.
#include <windows.h>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace pelikar::com_tests {

// A window's text, asked without waiting forever on a hung thread.
std::wstring WindowText(HWND window);

// Every pollMs, from a thread of its own, gives act each visible, enabled window of
// the class that the constructing thread owns (one under a nested modal window is
// disabled), and whether this is the first time. Messages to answer a window are
// posted: the window's modal loop runs on the thread under test.
class WindowWatcher {
 public:
  using Act = std::function<void(HWND window, bool first)>;
  WindowWatcher(const wchar_t* windowClass, Act act, DWORD pollMs = 20);
  WindowWatcher(const WindowWatcher&) = delete;
  WindowWatcher& operator=(const WindowWatcher&) = delete;
  ~WindowWatcher();

 private:
  static DWORD WINAPI Run(void* self);
  const wchar_t* class_;
  Act act_;
  DWORD pollMs_, watched_ = GetCurrentThreadId();
  HANDLE stop_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);  // last: it starts at once
};

// Answers the system message boxes the constructing thread opens (OK, or close) and
// keeps what each said, as "title: text".
struct MessageBoxWatcher {
  std::vector<std::wstring> answered() {
    std::lock_guard<std::mutex> lock(mutex);
    return said;
  }
  std::mutex mutex;
  std::vector<std::wstring> said;
  WindowWatcher watcher{L"#32770", [this](HWND box, bool first) {
    if (first) {
      std::lock_guard<std::mutex> lock(mutex);
      said.push_back(WindowText(box) + L": " + WindowText(GetDlgItem(box, 0xFFFF)));
    }
    const HWND ok = GetDlgItem(box, IDOK);
    PostMessageW(ok != nullptr ? ok : box, ok != nullptr ? BM_CLICK : WM_CLOSE, 0, 0);
  }};
};

// Handles the thread's messages for a while, as a host's own loop would, or until
// done says so.
void Pump(DWORD milliseconds, const std::function<bool()>& done = [] { return false; });

}  // namespace pelikar::com_tests
