// Shows one of the control's own windows for a screenshot taken from outside (see
// screenshot.sh): the message box with a two-line Persian prompt and three buttons, a
// tooltip over a host's form, the on-screen keyboard, or the property page in the
// system's property frame.
//   pelikar_dialog_scenes PATH\Pelikar.ocx PATH\nivo2.ttf message|tooltip|keyboard|page
//                         SIGNAL_DIR
// Once the window is drawn it writes SIGNAL_DIR\ready with the screen rectangles of
// the scene ("window") and of each text in it; it ends when SIGNAL_DIR\done appears.
// Exits non-zero when the control fails or no done signal comes within a minute.
#include <windows.h>
#include <oleauto.h>
#include <olectl.h>

#include <algorithm>
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

// The keyboard's key buttons are its children 200 to 265; its text field is 301.
constexpr int kFirstKeyId = 200;
constexpr int kKeyCount = 66;
constexpr int kTitleId = 302;
constexpr int kTextId = 301;
// The keys that show a Persian letter as the keyboard opens.
constexpr int kLetterKeys = 33;

// Every key whose caption is a letter ("glyph", one small character) or a word (a
// digit or a sign is too small to judge), the title, and the field's text (its first
// 60 pixels, inside the border).
BOOL CALLBACK CollectKeys(HWND control, LPARAM rects) {
  auto& list = *reinterpret_cast<std::vector<NamedRect>*>(rects);
  const int id = GetDlgCtrlID(control);
  const std::wstring text = WindowText(control);
  if (id >= kFirstKeyId && id < kFirstKeyId + kKeyCount) {
    if (text.empty() || (text.size() == 1 && text[0] < 128)) return TRUE;
    list.push_back({(text.size() == 1 ? "glyph" : "key") + std::to_string(id - kFirstKeyId),
                    Inside(ScreenRectOf(control), 4)});
  } else if (id == kTitleId) {
    list.push_back({"title", ScreenRectOf(control)});
  } else if (id == kTextId) {
    RECT start = Inside(ScreenRectOf(control), 2);
    start.right = start.left + 60;
    list.push_back({"text", start});
  }
  return TRUE;
}

int KeyboardScene(IDispatch* control) {
  bool closed = false;
  bool timedOut = false;
  WindowWatcher watcher(L"PelikarKeyboard", [&](HWND keyboard) {
    if (closed) return;
    Sleep(kSettleMs);
    std::vector<NamedRect> rects{{"window", ScreenRectOf(keyboard)}};
    EnumChildWindows(keyboard, CollectKeys, reinterpret_cast<LPARAM>(&rects));
    const auto letters = std::count_if(rects.begin(), rects.end(), [](const NamedRect& named) {
      return named.name.rfind("glyph", 0) == 0;
    });
    if (letters != kLetterKeys) {
      std::fprintf(stderr, "dialog_scenes: %d keys show a letter, not %d\n",
                   static_cast<int>(letters), kLetterKeys);
      rects = {};  // no ready file: the screenshot fails
    }
    if (!rects.empty()) WriteReady(rects);
    timedOut = !WaitForDone(false);
    closed = true;
    PostMessageW(keyboard, WM_CLOSE, 0, 0);
  });
  // "Salaam", the title "On-screen Persian keyboard" above the keys.
  const Variant caption = Variant::Text(L"Pelikar"), text = Variant::Text(L"~sghl~"),
                top = Variant::Short(600), left = Variant::Short(900);
  CallResult call = Call(control, L"KeyBoard2", {&caption, &text, &top, &left});
  if (call.result != S_OK) {
    std::fprintf(stderr, "dialog_scenes: KeyBoard2 answered %08lx\n", call.result);
    return 1;
  }
  return timedOut ? 1 : 0;
}

// The property page's controls that hold text; its group box, mostly blank, is not
// judged.
constexpr int kFirstPageId = 1001;
constexpr int kCodePageFrameId = 1006;
constexpr int kLastPageId = 1010;

BOOL CALLBACK CollectPage(HWND control, LPARAM rects) {
  const int id = GetDlgCtrlID(control);
  if (id < kFirstPageId || id > kLastPageId || id == kCodePageFrameId) return TRUE;
  reinterpret_cast<std::vector<NamedRect>*>(rects)->push_back(
      {"page" + std::to_string(id), ScreenRectOf(control)});
  return TRUE;
}

int PageScene(IDispatch* control) {
  bool closed = false;
  bool timedOut = false;
  WindowWatcher watcher(L"#32770", [&](HWND frame) {
    if (closed) return;
    Sleep(kSettleMs);
    std::vector<NamedRect> rects{{"window", ScreenRectOf(frame)}};
    EnumChildWindows(frame, CollectPage, reinterpret_cast<LPARAM>(&rects));
    if (rects.size() == 1) return;  // the page is not up yet
    WriteReady(rects);
    timedOut = !WaitForDone(false);
    closed = true;
    PostMessageW(GetDlgItem(frame, IDOK), BM_CLICK, 0, 0);
  });
  const Variant environment = Variant::Short(2);
  Call(control, L"Environment", {&environment}, DISPATCH_PROPERTYPUT);
  ISpecifyPropertyPages* specify = nullptr;
  CAUUID pages{};
  if (FAILED(control->QueryInterface(IID_ISpecifyPropertyPages,
                                     reinterpret_cast<void**>(&specify))) ||
      FAILED(specify->GetPages(&pages))) {
    std::fputs("dialog_scenes: the control names no page\n", stderr);
    if (specify != nullptr) specify->Release();
    return 1;
  }
  specify->Release();
  IUnknown* objects[] = {control};
  const HRESULT shown = OleCreatePropertyFrame(nullptr, 60, 40, L"Pelikar1", 1, objects,
                                               pages.cElems, pages.pElems, LOCALE_USER_DEFAULT,
                                               0, nullptr);
  CoTaskMemFree(pages.pElems);
  if (shown != S_OK || !closed) {
    std::fprintf(stderr, "dialog_scenes: OleCreatePropertyFrame answered %08lx\n", shown);
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
    std::fputs("usage: pelikar_dialog_scenes PATH\\Pelikar.ocx PATH\\nivo2.ttf "
               "message|tooltip|keyboard|page SIGNAL_DIR\n", stderr);
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
      result = scene == L"message"    ? MessageScene(control)
               : scene == L"tooltip"  ? TooltipScene(control)
               : scene == L"keyboard" ? KeyboardScene(control)
                                      : PageScene(control);
    } else {
      std::fputs("dialog_scenes: the control could not be made\n", stderr);
    }
    if (control != nullptr) control->Release();
    if (factory != nullptr) factory->Release();
  }
  CoUninitialize();
  return result;
}
