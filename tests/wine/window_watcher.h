#pragma once
// Watches the windows that a thread shows, from a thread of its own, so that a test
// can see and answer the modal windows that the thread under test is waiting in.
#include <windows.h>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace pelikar::com_tests {

// Every poll, calls act with each visible top-level window of the class that the
// calling thread owns, until the watcher goes.
class WindowWatcher {
 public:
  using Act = std::function<void(HWND)>;
  WindowWatcher(std::wstring windowClass, Act act, DWORD pollMs = 20);
  WindowWatcher(const WindowWatcher&) = delete;
  WindowWatcher& operator=(const WindowWatcher&) = delete;
  ~WindowWatcher();

 private:
  static DWORD WINAPI Run(void* self);

  DWORD watched_;
  std::wstring class_;
  Act act_;
  DWORD pollMs_;
  HANDLE stop_;
  HANDLE thread_;
};

// A window's text, asked without waiting forever on a hung thread.
std::wstring WindowText(HWND window);

struct AnsweredBox {
  std::wstring title;
  std::wstring text;
};

// Answers the system message boxes (OK, or close) that the calling thread opens and
// keeps what they said. A test that makes the control show a box can then see it, and
// a box that no test expected cannot leave the test waiting: it is answered too, and
// the test finds it among the texts.
class MessageBoxWatcher {
 public:
  MessageBoxWatcher();
  std::vector<AnsweredBox> answered() const;

 private:
  void Answer(HWND box);

  mutable std::mutex mutex_;
  std::vector<AnsweredBox> answered_;
  std::vector<HWND> seen_;
  WindowWatcher watcher_;  // last: it stops before the rest goes
};

}  // namespace pelikar::com_tests
