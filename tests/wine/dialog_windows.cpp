#include "dialog_windows.h"

#include <winternl.h>

#include <cstdint>

namespace pelikar::com_tests {
namespace {

constexpr int kMessageTextId = 0xFFFF;  // the static text of a system message box

int Dpi(int axis) {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, axis);
  ReleaseDC(nullptr, screen);
  return dpi;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

BOOL CALLBACK ReadControl(HWND control, LPARAM view) {
  ChildControl read{ClassOf(control), WindowText(control), GetDlgCtrlID(control), {},
                    GetWindowLongW(control, GWL_STYLE), {}};
  GetWindowRect(control, &read.rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&read.rect), 2);
  DWORD_PTR font = 0;
  LOGFONTW logFont{};
  SendMessageTimeoutW(control, WM_GETFONT, 0, 0, SMTO_ABORTIFHUNG, 2000, &font);
  if (GetObjectW(reinterpret_cast<HFONT>(font), sizeof logFont, &logFont) != 0) read.face = logFont.lfFaceName;
  reinterpret_cast<WindowView*>(view)->controls.push_back(read);
  return TRUE;
}

struct Search {
  const std::wstring* windowClass;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM search) {
  auto& wanted = *reinterpret_cast<Search*>(search);
  if (*wanted.windowClass == ClassOf(window) && IsWindowVisible(window)) wanted.found.push_back(window);
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

int PixelsX(int twips) { return MulDiv(twips, Dpi(LOGPIXELSX), 1440); }
int PixelsY(int twips) { return MulDiv(twips, Dpi(LOGPIXELSY), 1440); }

std::wstring WindowText(HWND window) {
  wchar_t text[4096] = {};
  DWORD_PTR length = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                      2000, &length);
  return text;
}

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

WindowWatcher::WindowWatcher(std::wstring windowClass, Plan plan, DWORD pollMs, bool read)
    : class_(std::move(windowClass)),
      plan_(std::move(plan)),
      pollMs_(pollMs),
      read_(read),
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
    Search search{&watcher.class_, {}};
    EnumThreadWindows(watcher.watched_, CollectWindow, reinterpret_cast<LPARAM>(&search));
    for (HWND window : search.found) watcher.Act(window);
  }
  return 0;
}

std::vector<WindowView> WindowWatcher::seen() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return seen_;
}

void WindowWatcher::Forget() {
  std::lock_guard<std::mutex> lock(mutex_);
  views_.clear();
  answered_.clear();
}

void WindowWatcher::Act(HWND window) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!IsWindowEnabled(window) || answered_.count(window) != 0) return;
  auto known = views_.find(window);
  if (known == views_.end()) {
    known = views_.emplace(window, read_ ? ReadWindow(window) : WindowView{}).first;
    seen_.push_back(known->second);
  }
  if (plan_(window, known->second)) answered_[window] = true;
}

// Posted, not sent, and again at every poll until the box goes: the click ends the
// box's modal loop on its own thread.
MessageBoxWatcher::MessageBoxWatcher()
    : WindowWatcher(L"#32770", [](HWND box, const WindowView&) {
        const HWND ok = GetDlgItem(box, IDOK);
        PostMessageW(ok != nullptr ? ok : box, ok != nullptr ? BM_CLICK : WM_CLOSE, 0, 0);
        return false;
      }) {}

std::vector<AnsweredBox> MessageBoxWatcher::answered() const {
  std::vector<AnsweredBox> boxes;
  for (const WindowView& view : seen()) {
    const ChildControl* text = view.WithId(kMessageTextId);
    boxes.push_back({view.caption, text != nullptr ? text->text : L""});
  }
  return boxes;
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

GuiObjects CountGuiObjects() {
  GuiObjects counts;
  EnumChildWindows(GetDesktopWindow(), CountWindow, reinterpret_cast<LPARAM>(&counts.windows));
  counts.gdi = CountGdiObjects();
  return counts;
}

}  // namespace pelikar::com_tests
