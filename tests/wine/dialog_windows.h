#pragma once
// What the tests of the control's own windows share: windows watched and answered
// from a thread of their own while the test thread waits in a modal loop, and the
// process's windows and GDI objects counted to find leaks.
#include <windows.h>

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace pelikar::com_tests {

// A window's text, asked without waiting forever on a hung thread.
std::wstring WindowText(HWND window);

// Watches the visible top-level windows of a class that the constructing thread owns,
// from a thread of its own, so that a test can see and answer the modal windows the
// thread under test waits in. At every poll, plan gets each such window that is
// enabled (one under a nested modal window is not) and what it said when first seen
// (its caption, or what describe reads of it); true means it has answered the window,
// false asks again at the next poll. Wine gives a new window the handle of one just
// destroyed: the test says when one has gone (Forget).
class WindowWatcher {
 public:
  using Plan = std::function<bool(HWND, const std::wstring& said)>;
  using Describe = std::function<std::wstring(HWND)>;
  WindowWatcher(std::wstring windowClass, Plan plan, DWORD pollMs = 20, Describe describe = WindowText);
  WindowWatcher(const WindowWatcher&) = delete;
  WindowWatcher& operator=(const WindowWatcher&) = delete;
  ~WindowWatcher();

  std::vector<std::wstring> seen() const;  // what each window said
  void Forget();

 private:
  static DWORD WINAPI Run(void* self);

  std::wstring class_;
  Plan plan_;
  DWORD pollMs_;
  Describe describe_;
  DWORD watched_;
  mutable std::mutex mutex_;
  std::vector<std::wstring> seen_;
  std::map<HWND, std::pair<std::wstring, bool>> windows_;  // what it said, and whether answered
  HANDLE stop_;
  HANDLE thread_;  // last: it starts once the rest is there
};

// Answers the system message boxes that the constructing thread opens (OK, or close)
// and keeps what they said: a box no test expected cannot leave a test waiting.
class MessageBoxWatcher : public WindowWatcher {
 public:
  MessageBoxWatcher();
  std::vector<std::wstring> answered() const { return seen(); }  // "title: text"
};

// Handles the thread's messages for a while, as a host's own loop would, or until
// done says so.
void Pump(DWORD milliseconds, const std::function<bool()>& done = [] { return false; });

// Wine's GetGuiResources answers 0: the windows are counted by enumeration and the
// GDI objects in the handle table the process environment block points to, which
// only 64-bit Wine fills (gdi is -1 elsewhere).
struct GuiObjects {
  long windows = 0;  // top-level windows of the process and all their children
  long gdi = -1;
  bool operator==(const GuiObjects&) const = default;
};

GuiObjects CountGuiObjects();

}  // namespace pelikar::com_tests
