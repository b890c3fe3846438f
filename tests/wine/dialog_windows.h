#pragma once
// What the tests of the control's own windows share: the screen's twips as pixels,
// a window read with its child controls, a watcher that answers the modal windows of a
// class that the test thread shows, and the thread's messages handled for a while.
#include <windows.h>

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "window_watcher.h"

namespace pelikar::com_tests {

int PixelsX(int twips);
int PixelsY(int twips);

struct ChildControl {
  std::wstring className;
  std::wstring text;
  int id = 0;
  RECT rect{};  // in the parent's client area
  LONG style = 0;
};

// What a window showed when it was read.
struct WindowView {
  std::wstring caption;
  RECT frame{};
  RECT client{};
  std::vector<ChildControl> controls;
  std::vector<const ChildControl*> Of(const wchar_t* className) const;
  const ChildControl* WithId(int id) const;  // nullptr when there is none
};

WindowView ReadWindow(HWND window);

// Acts on the windows of a class that the calling thread shows, from a thread of its
// own: when such a window is up and enabled (one under a nested modal window is not),
// plan gets the window and its view, read once, and does what it will; true means it
// has answered the window, false asks again at the next poll. Wine gives a new window
// the handle of one just destroyed, so the test says when a window has gone (Forget)
// and a window of the same handle is a new one.
class DialogAnswerer {
 public:
  using Plan = std::function<bool(HWND, const WindowView&)>;
  // A plan that needs no view (read) is given an empty one: reading a window of many
  // controls from another thread takes a while.
  DialogAnswerer(std::wstring windowClass, Plan plan, DWORD pollMs = 20, bool read = true);

  std::vector<WindowView> seen() const;
  void Forget();

 private:
  void Act(HWND window);

  Plan plan_;
  bool read_;
  mutable std::mutex mutex_;
  std::vector<WindowView> seen_;
  std::map<HWND, WindowView> views_;
  std::map<HWND, bool> answered_;
  WindowWatcher watcher_;  // last: it stops before the rest goes
};

// Handles the thread's messages for a while, as a host's own loop would, or until
// done says so.
void Pump(DWORD milliseconds, const std::function<bool()>& done = [] { return false; });

}  // namespace pelikar::com_tests
