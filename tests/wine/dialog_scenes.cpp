// Shows a scene for a screenshot taken from outside (see screenshot.sh): the
// control's message box with a two-line Persian prompt and three buttons, a tooltip
// beside a host's form, the on-screen keyboard, or the property page in the system's
// property frame. (Pelikar Pad's screenshot shows both glyph fonts in its fields.)
//   pelikar_dialog_scenes PATH\Pelikar.ocx FONTS_DIR message|tooltip|keyboard|page SIGNAL_DIR
// Once the scene is drawn it writes SIGNAL_DIR\ready with the screen rectangles of
// the scene ("window") and of each text in it; it ends when SIGNAL_DIR\done appears.
// Exits non-zero when the control fails or no done signal comes within a minute.
#include <olectl.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "dialog_windows.h"
#include "dispatch_client.h"

namespace pelikar::com_tests {
namespace {

constexpr DWORD kSettleMs = 400;  // for a window to reach the X server
std::wstring signalDir;
IDispatch* control = nullptr;

// "name x y width height" of the window's screen rectangle made smaller on every side
// (a frame is no text), at most width wide.
std::string Line(const std::string& name, HWND window, int margin, LONG width = 10000) {
  RECT r;
  GetWindowRect(window, &r);
  return name + " " + std::to_string(r.left + margin) + " " + std::to_string(r.top + margin) + " " +
         std::to_string(std::min(width, r.right - r.left - 2 * margin)) + " " +
         std::to_string(r.bottom - r.top - 2 * margin) + "\n";
}

// Writes the ready file and waits for the done signal, letting the thread's messages
// through when asked to; false when none comes.
bool ReadyThenDone(const std::string& lines, bool pump) {
  const std::wstring path = signalDir + L"\\ready";
  FILE* file = _wfopen((path + L".part").c_str(), L"w");
  std::fputs(lines.c_str(), file);
  std::fclose(file);
  MoveFileW((path + L".part").c_str(), path.c_str());
  for (const DWORD start = GetTickCount(); GetTickCount() - start < 60000; Sleep(20)) {
    if (GetFileAttributesW((signalDir + L"\\done").c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    MSG message;
    while (pump && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  return false;
}

BOOL CALLBACK AddChild(HWND child, LPARAM children) {
  reinterpret_cast<std::vector<HWND>*>(children)->push_back(child);
  return TRUE;
}

// A scene in a modal window of the class, up while show waits in its modal loop:
// once the window has drawn, name gives each child's line ("" for none), and the
// button with the id (or WM_CLOSE, for 0) ends the window after the screenshot. False
// when show fails or no done signal comes.
bool ModalScene(const wchar_t* windowClass, const std::function<std::string(HWND, int)>& name, int closer,
                const std::function<bool()>& show) {
  bool done = false, shot = false;
  WindowWatcher watcher(windowClass, [&](HWND window, bool) {
    if (shot) return;
    Sleep(kSettleMs);
    std::vector<HWND> children;
    EnumChildWindows(window, AddChild, reinterpret_cast<LPARAM>(&children));
    std::string lines;
    for (HWND child : children) lines += name(child, GetDlgCtrlID(child));
    if (lines.empty()) return;  // its texts are not up yet
    shot = true;
    done = ReadyThenDone(Line("window", window, 0) + lines, false);
    if (closer != 0) PostMessageW(GetDlgItem(window, closer), BM_CLICK, 0, 0);
    if (closer == 0) PostMessageW(window, WM_CLOSE, 0, 0);
  });
  return show() && done;
}

// Buttons 100 up and the prompt's lines 1000 up; the credit is too small to judge.
bool MessageScene() {
  return ModalScene(L"PelikarMessageBox", [](HWND child, int id) {
    if (id >= 1000) return Line("line" + std::to_string(id), child, 0);
    return id >= 100 ? Line("button" + std::to_string(id), child, 5) : "";
  }, 105, [] {
    // "The text has changed" above "Save it?", typed on a Latin keyboard.
    const Variant prompt = L"~bodvi a,n?~|~ljk jyddv ;vni hsj~";
    return Call(control, L"Message2", {prompt, I2(3), L"Pelikar", I2(1), I2(600), I2(900)}).value.number() == 6;
  });
}

// The keyboard's keys are its children 200 to 265, its text field 301, its title 302:
// every key whose caption is a letter ("glyph", one small character; 33 as it opens)
// or a word (a digit or a sign is too small to judge), the title and the field's
// first 60 pixels.
bool KeyboardScene() {
  int letters = 0;
  const bool shown = ModalScene(L"PelikarKeyboard", [&](HWND child, int id) {
    const std::wstring label = WindowText(child);
    if (id == 301) return Line("text", child, 2, 60);
    if (id == 302) return Line("title", child, 0);
    if (id < 200 || id > 265 || label.empty() || (label.size() == 1 && label[0] < 128)) return std::string();
    letters += label.size() == 1;
    return Line((label.size() == 1 ? "glyph" : "key") + std::to_string(id), child, 4);
  }, 0, [] { return Call(control, L"KeyBoard2", {L"Pelikar", L"~sghl~", I2(600), I2(900)}).result == S_OK; });
  if (letters != 33) std::fprintf(stderr, "dialog_scenes: %d keys show a letter, not 33\n", letters);
  return shown && letters == 33;
}

// The property page's controls that hold text, 1001 to 1010; its group box, mostly
// blank, is not judged.
bool PageScene() {
  Put(control, L"Environment", I2(2));
  ISpecifyPropertyPages* specify = nullptr;
  CAUUID pages{};
  control->QueryInterface(IID_ISpecifyPropertyPages, reinterpret_cast<void**>(&specify));
  if (specify == nullptr || FAILED(specify->GetPages(&pages))) return false;
  specify->Release();
  const bool shown = ModalScene(L"#32770", [](HWND child, int id) {
    return id >= 1001 && id <= 1010 && id != 1006 ? Line("page" + std::to_string(id), child, 0) : "";
  }, IDOK, [&] {
    IUnknown* objects[] = {control};
    return OleCreatePropertyFrame(nullptr, 60, 40, L"Pelikar1", 1, objects, pages.cElems, pages.pElems,
                                  LOCALE_USER_DEFAULT, 0, nullptr) == S_OK;
  });
  CoTaskMemFree(pages.pElems);
  return shown;
}

// The tip below the pointer, beside a host's form. Not over it: on Xvfb, Wine's X11
// driver leaves a window that overlaps another one black on the X screen.
bool TooltipScene() {
  const HWND form = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_BORDER | WS_VISIBLE, 40, 40, 300, 120,
                                    nullptr, nullptr, nullptr, nullptr);
  SetFocus(CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 20, 20, 260,
                           28, form, nullptr, nullptr, nullptr));
  SetCursorPos(420, 60);
  if (Call(control, L"ToolTip", {L"~vhilhd ;gdnih~"}).result != S_OK) return false;  // "key help"
  Pump(kSettleMs + 200);
  const HWND tip = FindWindowW(L"PelikarToolTip", nullptr);
  if (tip == nullptr) return false;
  RECT scene, tipRect, formRect;
  GetWindowRect(tip, &tipRect);
  GetWindowRect(form, &formRect);
  UnionRect(&scene, &tipRect, &formRect);
  return ReadyThenDone("window " + std::to_string(scene.left) + " " + std::to_string(scene.top) + " " +
                       std::to_string(scene.right - scene.left) + " " + std::to_string(scene.bottom - scene.top) +
                       "\n" + Line("tip", tip, 2), true);
}

}  // namespace
}  // namespace pelikar::com_tests

int wmain(int argc, wchar_t** argv) {
  using namespace pelikar::com_tests;
  const std::map<std::wstring, bool (*)()> scenes = {{L"message", MessageScene}, {L"tooltip", TooltipScene},
      {L"keyboard", KeyboardScene}, {L"page", PageScene}};
  if (argc != 5 || scenes.count(argv[3]) == 0) return 2;  // see the usage above
  OcxPath() = argv[1];
  signalDir = argv[4];
  const std::wstring fonts = argv[2];
  bool shown = AddFontResourceW((fonts + L"\\nivo2.ttf").c_str()) != 0 &&
               AddFontResourceW((fonts + L"\\nivo_ir.ttf").c_str()) != 0 &&
               SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  {
    OcxModule module;
    control = module.New<IDispatch>(kPelikarClass, IID_IDispatch);
    shown = shown && control != nullptr && scenes.at(argv[3])();
    if (control != nullptr) control->Release();
  }
  CoUninitialize();
  if (!shown) std::fwprintf(stderr, L"dialog_scenes: the %ls scene did not show\n", argv[3]);
  return shown ? 0 : 1;
}
