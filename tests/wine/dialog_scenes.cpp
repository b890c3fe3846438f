// Shows one of the control's own windows for a screenshot taken from outside (see
// screenshot.sh): the message box with a two-line Persian prompt and three buttons,
// or a tooltip over a host's form.
//   pelikar_dialog_scenes PATH\Pelikar.ocx PATH\nivo2.ttf message|tooltip SIGNAL_DIR
// Once the window is drawn it writes SIGNAL_DIR\ready with the screen rectangles of
// the scene ("window") and of each text in it; it ends when SIGNAL_DIR\done appears.
// Exits non-zero when the control fails or no done signal comes within a minute.
#include <windows.h>
#include <oleauto.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "dispatch_client.h"
#include "ocx_module.h"
#include "window_watcher.h"

namespace pelikar::com_tests {
namespace {

constexpr int kFirstButtonId = 100;
constexpr DWORD kSettleMs = 400;  // for the window to reach the X server
constexpr DWORD kGiveUpMs = 60000;

// "The text has changed" above "Save it?", typed on a Latin keyboard; the box shows
// the last line the caller writes first.
constexpr wchar_t kPrompt[] = L"~bodvi a,n?~|~ljk jyddv ;vni hsj~";
// "Key help".
constexpr wchar_t kTip[] = L"~vhilhd ;gdnih~";

std::wstring signalDir;

struct NamedRect {
  std::string name;
  RECT rect;
};

// A rectangle made smaller on every side: a button's or a tip's frame is no text.
RECT Inside(RECT rect, int margin) {
  InflateRect(&rect, -margin, -margin);
  return rect;
}

void WriteReady(const std::vector<NamedRect>& rects) {
  const std::wstring path = signalDir + L"\\ready";
  const std::wstring partial = path + L".part";
  FILE* file = _wfopen(partial.c_str(), L"w");
  if (file == nullptr) return;
  for (const NamedRect& named : rects) {
    const RECT& r = named.rect;
    std::fprintf(file, "%s %ld %ld %ld %ld\n", named.name.c_str(), r.left, r.top,
                 r.right - r.left, r.bottom - r.top);
  }
  std::fclose(file);
  MoveFileW(partial.c_str(), path.c_str());
}

bool Done() { return GetFileAttributesW((signalDir + L"\\done").c_str()) != INVALID_FILE_ATTRIBUTES; }

// Waits for the done signal, letting the thread's messages through when asked to.
bool WaitForDone(bool pump) {
  const DWORD start = GetTickCount();
  while (!Done()) {
    if (GetTickCount() - start > kGiveUpMs) return false;
    MSG message;
    while (pump && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(20);
  }
  return true;
}

RECT ScreenRectOf(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  return rect;
}

BOOL CALLBACK CollectText(HWND control, LPARAM rects) {
  wchar_t className[32] = {};
  GetClassNameW(control, className, 32);
  const int id = GetDlgCtrlID(control);
  auto& list = *reinterpret_cast<std::vector<NamedRect>*>(rects);
  if (lstrcmpiW(className, L"Button") == 0) {
    list.push_back({"button" + std::to_string(id - kFirstButtonId), Inside(ScreenRectOf(control), 5)});
  } else if (id >= 1000) {  // the prompt's lines; the credit label is too small to judge
    list.push_back({"line" + std::to_string(id - 1000), ScreenRectOf(control)});
  }
  return TRUE;
}

int MessageScene(IDispatch* control) {
  bool answered = false;
  bool timedOut = false;
  // The box is up while the control's call waits in its modal loop: the watcher
  // reports it, waits for the screenshot and presses the first button.
  WindowWatcher watcher(L"PelikarMessageBox", [&](HWND box) {
    if (answered) return;
    Sleep(kSettleMs);
    std::vector<NamedRect> rects{{"window", ScreenRectOf(box)}};
    EnumChildWindows(box, CollectText, reinterpret_cast<LPARAM>(&rects));
    WriteReady(rects);
    timedOut = !WaitForDone(false);
    answered = true;
    PostMessageW(GetDlgItem(box, kFirstButtonId + 5), BM_CLICK, 0, 0);
  });
  const Variant prompt = Variant::Text(kPrompt), buttons = Variant::Short(3),
                title = Variant::Text(L"Pelikar"), alignment = Variant::Short(1),
                top = Variant::Short(600), left = Variant::Short(900);
  CallResult call =
      Call(control, L"Message2", {&prompt, &buttons, &title, &alignment, &top, &left});
  if (call.result != S_OK || V_I2(call.value.get()) != 6) {
    std::fprintf(stderr, "dialog_scenes: Message2 answered %08lx, %d\n", call.result,
                 V_I2(call.value.get()));
    return 1;
  }
  return timedOut ? 1 : 0;
}

HWND FindTip() {
  return FindWindowW(L"PelikarToolTip", nullptr);
}

// The tip below the pointer, beside a host's form. Not over it: on Xvfb, Wine's
// X11 driver leaves a window that overlaps another one black on the X screen.
int TooltipScene(IDispatch* control) {
  const HWND form = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_BORDER | WS_VISIBLE, 40, 40,
                                    300, 120, nullptr, nullptr, nullptr, nullptr);
  const HWND field = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 20,
                                     20, 260, 28, form, nullptr, nullptr, nullptr);
  SetFocus(field);
  SetCursorPos(420, 60);
  const Variant tip = Variant::Text(kTip);
  CallResult call = Call(control, L"ToolTip", {&tip});
  if (call.result != S_OK || V_BOOL(call.value.get()) != VARIANT_TRUE) {
    std::fprintf(stderr, "dialog_scenes: ToolTip answered %08lx\n", call.result);
    return 1;
  }
  const DWORD start = GetTickCount();
  while ((FindTip() == nullptr || GetTickCount() - start < kSettleMs + 200) &&
         GetTickCount() - start < kGiveUpMs) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(20);
  }
  const HWND window = FindTip();
  if (window == nullptr) {
    std::fputs("dialog_scenes: no tip came\n", stderr);
    return 1;
  }
  RECT scene;
  const RECT tipRect = ScreenRectOf(window);
  const RECT formRect = ScreenRectOf(form);
  UnionRect(&scene, &tipRect, &formRect);
  WriteReady({{"window", scene}, {"tip", Inside(tipRect, 2)}});
  const bool done = WaitForDone(true);
  DestroyWindow(form);
  return done ? 0 : 1;
}

}  // namespace
}  // namespace pelikar::com_tests

int wmain(int argc, wchar_t** argv) {
  using namespace pelikar::com_tests;
  if (argc != 5) {
    std::fputs("usage: pelikar_dialog_scenes PATH\\Pelikar.ocx PATH\\nivo2.ttf message|tooltip "
               "SIGNAL_DIR\n", stderr);
    return 2;
  }
  SetOcxPath(argv[1]);
  signalDir = argv[4];
  if (AddFontResourceW(argv[2]) == 0) {
    std::fputs("dialog_scenes: the glyph font could not be registered\n", stderr);
    return 1;
  }
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
  int result = 1;
  {
    OcxModule module;
    IClassFactory* factory = nullptr;
    IDispatch* control = nullptr;
    if (module.loaded() &&
        SUCCEEDED(module.GetClassObject(kPelikarClass, IID_IClassFactory,
                                        reinterpret_cast<void**>(&factory))) &&
        SUCCEEDED(factory->CreateInstance(nullptr, IID_IDispatch,
                                          reinterpret_cast<void**>(&control)))) {
      const std::wstring scene = argv[3];
      result = scene == L"message" ? MessageScene(control) : TooltipScene(control);
    } else {
      std::fputs("dialog_scenes: the control could not be made\n", stderr);
    }
    if (control != nullptr) control->Release();
    if (factory != nullptr) factory->Release();
  }
  CoUninitialize();
  return result;
}
