#include "dialog_windows.h"

namespace pelikar::com_tests {
namespace {

int Dpi(int axis) {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, axis);
  ReleaseDC(nullptr, screen);
  return dpi;
}

BOOL CALLBACK ReadControl(HWND control, LPARAM view) {
  ChildControl read;
  wchar_t className[64] = {};
  GetClassNameW(control, className, 64);
  read.className = className;
  read.text = WindowText(control);
  read.id = GetDlgCtrlID(control);
  read.style = GetWindowLongW(control, GWL_STYLE);
  GetWindowRect(control, &read.rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&read.rect), 2);
  reinterpret_cast<WindowView*>(view)->controls.push_back(read);
  return TRUE;
}

}  // namespace

int PixelsX(int twips) { return MulDiv(twips, Dpi(LOGPIXELSX), 1440); }
int PixelsY(int twips) { return MulDiv(twips, Dpi(LOGPIXELSY), 1440); }

std::vector<const ChildControl*> WindowView::Of(const wchar_t* className) const {
  std::vector<const ChildControl*> found;
  for (const ChildControl& control : controls) {
    if (control.className == className) found.push_back(&control);
  }
  return found;
}

const ChildControl* WindowView::WithId(int id) const {
  for (const ChildControl& control : controls) {
    if (control.id == id) return &control;
  }
  return nullptr;
}

WindowView ReadWindow(HWND window) {
  WindowView view;
  view.caption = WindowText(window);
  GetWindowRect(window, &view.frame);
  GetClientRect(window, &view.client);
  EnumChildWindows(window, ReadControl, reinterpret_cast<LPARAM>(&view));
  return view;
}

DialogAnswerer::DialogAnswerer(std::wstring windowClass, Plan plan, DWORD pollMs, bool read)
    : plan_(std::move(plan)),
      read_(read),
      watcher_(std::move(windowClass), [this](HWND window) { Act(window); }, pollMs) {}

std::vector<WindowView> DialogAnswerer::seen() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return seen_;
}

void DialogAnswerer::Forget() {
  std::lock_guard<std::mutex> lock(mutex_);
  views_.clear();
  answered_.clear();
}

void DialogAnswerer::Act(HWND window) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!IsWindowEnabled(window) || answered_.count(window) != 0) return;
  auto known = views_.find(window);
  if (known == views_.end()) {
    known = views_.emplace(window, read_ ? ReadWindow(window) : WindowView{}).first;
    seen_.push_back(known->second);
  }
  if (plan_(window, known->second)) answered_[window] = true;
}

void Pump(DWORD milliseconds, const std::function<bool()>& done) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < milliseconds && !done()) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(5);
  }
}

}  // namespace pelikar::com_tests
