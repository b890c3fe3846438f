// The control's own windows through IDispatch, as a host calls them: the message box
// answered by a watcher thread, the tooltip against a host window that has the focus,
// and the on-screen keyboard; the Windows services the control reaches; and GDI's view
// of the glyph fonts. (What the box shows where, which buttons a set has and where the tip goes
// are the portable suite's layout; the screenshots show them drawn. client.vbs shows
// a tip with the optional Button left out.)
#include <windows.h>
#include <winspool.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "control_test.h"
#include "dialog_windows.h"
#include "leak_check.h"
#include "test_object.h"

namespace pelikar::com_tests {
namespace {

constexpr int kFirstButtonId = 100;  // a box's button i is its child kFirstButtonId + i

// Answers the control's message boxes at every poll with the button plan names
// (-1: none).
struct BoxAnswerer : WindowWatcher {
  BoxAnswerer(std::function<int(HWND, bool first)> plan, DWORD pollMs = 20)
      : WindowWatcher(L"PelikarMessageBox", [plan](HWND box, bool first) {
          if (const int button = plan(box, first); button >= 0) {
            PostMessageW(GetDlgItem(box, kFirstButtonId + button), BM_CLICK, 0, 0);
          }
        }, pollMs) {}
};

// A host's form with a text box that has the keyboard focus.
struct HostForm {
  HostForm() { SetForegroundWindow(form); SetFocus(field); }
  ~HostForm() { DestroyWindow(form); }
  const HWND form = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50,
                                    50, 300, 200, nullptr, nullptr, nullptr, nullptr);
  const HWND field = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 10, 10, 200, 24,
                                     form, nullptr, nullptr, nullptr);
};

// Message with the prompt, the button set and the title; the button pressed.
short Message(IDispatch* control, const wchar_t* prompt, short buttons, const std::wstring& title) {
  const CallResult call = Call(control, L"Message", {prompt, I2(buttons), title, I2(0)});
  EXPECT_EQ(call.result, S_OK);
  return V_I2(&call.value);
}

constexpr int kFirstKeyId = 200;  // key button i
constexpr int kCapsId = 300, kTextId = 301;

// Key buttons by their place on the keyboard.
constexpr int kOneKey = 1, kF = 32, kSemicolon = 38;
constexpr int kCopy = 28, kEsc = 62, kOk = 63, kClear = 64;
constexpr LPARAM kAltDown = LPARAM{1} << 29;

// What the watcher does to a keyboard when it first sees it; messages are posted, so
// the keyboard handles them in order.
using Step = std::function<void(HWND)>;

Step Click(int key) {
  return [key](HWND keyboard) {
    const HWND button = GetDlgItem(keyboard, kFirstKeyId + key);
    PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  };
}
// A message posted to the child.
Step Post(int child, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return [=](HWND keyboard) { PostMessageW(GetDlgItem(keyboard, child), message, wParam, lParam); };
}
// A key pressed in the text field; the keyboard's own loop translates it.
Step Key(WPARAM key, LPARAM flags = 0) {
  const LPARAM scanCode = static_cast<LPARAM>(MapVirtualKeyW(static_cast<UINT>(key), 0)) << 16;
  return Post(kTextId, flags != 0 ? WM_SYSKEYDOWN : WM_KEYDOWN, key, 1 | scanCode | flags);
}

// The fixture of the tests of the control's windows. Open opens the keyboard with the
// text; the watcher takes the steps when it appears, polling every pollMs. (KeyBoard2,
// which places it, opens the screenshot's.)
class Windows : public ControlTest {
 protected:
  bool Tip(const wchar_t* text) { return Invoke(L"ToolTip", {text}).value.isTrue(); }
  std::wstring Open(const std::wstring& text, const std::vector<Step>& steps, DWORD pollMs = 20) {
    WindowWatcher answerer(L"PelikarKeyboard", [&](HWND keyboard, bool first) {
      for (std::size_t i = 0; first && i < steps.size(); ++i) steps[i](keyboard);
    }, pollMs);
    const CallResult call = Invoke(L"KeyBoard", {L"Type here", text});
    EXPECT_EQ(call.result, S_OK);
    return call.value.text();
  }
  std::wstring Nivo(const wchar_t* typed) { return Invoke(L"En_Ir_To_nivo", {typed}).value.text(); }
};
using Dialogs = Windows;
using Keyboard = Windows;


// The host's form is disabled while the box is up and enabled after; closing, the
// close command and Escape do nothing, Enter presses the focused first button. An
// empty title shows the control's name.
TEST_F(Dialogs, TheBoxIsModalAndOnlyAButtonClosesIt) {
  HostForm host;
  std::atomic<bool> hostEnabled{true}, survived{false};
  BoxAnswerer answerer([&](HWND box, bool first) {
    if (!first) return -1;
    hostEnabled = IsWindowEnabled(host.form) != FALSE;
    const HWND focused = GetDlgItem(box, kFirstButtonId + 5);
    PostMessageW(box, WM_CLOSE, 0, 0);
    PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0);
    PostMessageW(focused, WM_KEYDOWN, VK_ESCAPE, 0);
    Sleep(200);
    survived = IsWindowVisible(box) && WindowText(box) == L"Pelikar";
    PostMessageW(focused, WM_KEYDOWN, VK_RETURN, 0);
    return -1;
  });
  EXPECT_EQ(Message(control_, L"a", 3, L""), 6);
  EXPECT_TRUE(survived) << "and titled Pelikar";
  EXPECT_FALSE(hostEnabled);
  EXPECT_TRUE(IsWindowEnabled(host.form));
}

// A box opened from a host's timer while another is up answers with its own button,
// and so does the first: button i returns i + 1 (which buttons each set has is the
// portable suite's).
std::atomic<short> nestedResult{0};
IDispatch* nestedControl = nullptr;

void CALLBACK OpenNestedBox(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  nestedResult = Message(nestedControl, L"b", 1, L"click 1");
}

TEST_F(Dialogs, NestedBoxesReturnTheirOwnButtons) {
  nestedControl = control_;
  BoxAnswerer answerer([](HWND box, bool) {
    if (WindowText(box) == L"click 1") return 1;
    return nestedResult == 0 ? -1 : 0;  // the first waits for the nested one
  });
  SetTimer(nullptr, 0, 50, OpenNestedBox);
  EXPECT_EQ(Message(control_, L"a", 1, L"outer"), 1);
  EXPECT_EQ(nestedResult, 2);
}

HWND FindTip() {
  const HWND tip = FindWindowW(L"PelikarToolTip", nullptr);
  return tip != nullptr && IsWindowVisible(tip) ? tip : nullptr;
}

// The tip never takes the focus from the host's field; an empty text takes it down;
// one left up goes with the last control of its thread, and lets the module go.
TEST_F(Dialogs, TheTipNeverTakesTheFocusAndGoesWithTheControl) {
  HostForm host;
  for (const wchar_t* text : {L"~sghl~", L"", L"~sghl~"}) {
    EXPECT_TRUE(Tip(text));
    Pump(500, [] { return FindTip() != nullptr; });
    EXPECT_EQ(FindTip() != nullptr, *text != L'\0') << Narrow(text);
    EXPECT_EQ(GetFocus(), host.field) << "the host keeps the focus";
  }
  EXPECT_EQ(control_->Release(), 0u);
  control_ = nullptr;
  EXPECT_EQ(FindTip(), nullptr);
  EXPECT_EQ(module_.CanUnloadNow(), S_OK);
}

// The on-screen keyboard through IDispatch, as a host calls it: a watcher thread
// clicks its keys, types into its field and closes it while the test thread waits in
// KeyBoard. (Its grid, its place, its texts and what each key types are the portable
// suite's; the keyboard screenshot shows it drawn.)

// How a dialog ends, and what clicks and keys type into the field on the way, in the
// Nivo code page whatever CodePage says. A dialog closed after one that kept its text
// returns nothing of it.
TEST_F(Keyboard, EndingsTypingAndTheClipboard) {
  ASSERT_EQ(Put(control_, L"CodePage", I2(1)), S_OK);
  const std::wstring abc = Nivo(L"abc~sghl~");
  const struct {
    const char* name;
    std::wstring text;  // keyboard-typed
    std::vector<Step> steps;
    std::wstring expected;
  } endings[] = {
      {"Ok keeps the text", L"~sghl~ 12", {Click(kOk)}, Nivo(L"~sghl~ 12")},
      {"Esc", L"~sghl~", {Click(kSemicolon), Click(kEsc)}, L""},
      {"Escape", L"~sghl~", {Key(VK_ESCAPE)}, L""},
      {"Alt+F4", L"~sghl~", {Key(VK_F4, kAltDown)}, L""},
      {"Enter in the field", L"~sghl~", {Key(VK_RETURN)}, Nivo(L"~sghl~")},
      {"a click types at the caret", L"abc~sghl~",
       {Post(kTextId, EM_SETSEL, 5, 5), Click(kF), Click(kOk)},
       abc.substr(0, 5) + Nivo(L"~f~") + abc.substr(5)},
      // Caps down: 1 types "!"; up again: the digit, left of the sign.
      {"Caps", L"", {Post(kCapsId, BM_CLICK), Click(kOneKey), Post(kCapsId, BM_CLICK),
                     Click(kOneKey), Click(kOk)}, L"1!"},
      // The copy button leaves the keyboard open.
      {"Copy, Clear, Ok", L"~sghl~", {Click(kCopy), Click(kClear), Click(kOk)}, L""},
  };
  for (const auto& ending : endings) {
    EXPECT_EQ(Open(ending.text, ending.steps), ending.expected) << ending.name;
  }
  // The copy filled the clipboard with the text's bytes and its Persian letters.
  ASSERT_TRUE(OpenClipboard(nullptr));
  const auto* ansi = static_cast<const char*>(GlobalLock(GetClipboardData(CF_TEXT)));
  const auto* unicode = static_cast<const wchar_t*>(GlobalLock(GetClipboardData(CF_UNICODETEXT)));
  ASSERT_TRUE(ansi != nullptr && unicode != nullptr);
  wchar_t nivo[64] = {};  // the host's view through the ANSI code page
  MultiByteToWideChar(CP_ACP, 0, ansi, -1, nivo, 64);
  EXPECT_EQ(nivo, Nivo(L"~sghl~"));
  // Meem, alef, lam, seen as the field shows them, left to right.
  EXPECT_EQ(std::wstring(unicode), L"\u202D\uFEE1\uFE8E\uFEE0\uFEB3\u202C");
  CloseClipboard();
}

// Boxes, tips and keyboards, each round, leave no window and no GDI object behind.
TEST_F(Dialogs, FiveHundredBoxesTipsAndKeyboardsLeaveNoObjectsBehind) {
  BoxAnswerer answerer([](HWND, bool) { return 2; }, 1);
  // Wine's GDI handle table takes up to some 135 entries more over the first hundreds
  // of keyboards, at times, then no more; a leak of one object a keyboard shows.
  ExpectFlat("a keyboard", 500, [&] { ASSERT_EQ(Open(L"~sghl~", {Click(kSemicolon), Click(kEsc)}, 1), L""); }, 150);
  ExpectFlat("a box and two tips", 1000, [&] {
    ASSERT_EQ(Message(control_, L"~sghl~|a", 2, L"again"), 3);
    ASSERT_TRUE(Tip(L"~sghl~") && Tip(L""));
  });
}

// The system utilities on the prefix's own Windows, through late-bound calls, each
// reached once: directories, drives, files and wildcards, printing without a printer,
// window regions, installing a font. Their logic is the portable suite's.
//   InstallFont: told the control's own glyph font by PELIKAR_TEST_FONT (a Unix path)
//   and its face by PELIKAR_TEST_FACE; no process may know the face before.
class Utilities : public ControlTest {
 protected:
  bool True(const wchar_t* member, const std::wstring& name) {
    return Invoke(member, {(scratch_ / name).wstring()}).value.isTrue();
  }
  // A directory of the test's own under the Windows temporary directory, removed with
  // its files at the end.
  struct Scratch : std::filesystem::path {
    Scratch() : path(std::filesystem::temp_directory_path() / ("pelikar-" + std::to_string(GetCurrentProcessId()))) {
      std::filesystem::create_directory(*this);
    }
    ~Scratch() {
      std::error_code ignored;
      std::filesystem::remove_all(*this, ignored);
    }
  } scratch_;
};

// The prefix's directories and drives; real files, a hidden one among them, found by
// their long names only.
TEST_F(Utilities, DirectoriesDrivesAndFiles) {
  wchar_t windows[MAX_PATH] = {}, system[MAX_PATH] = {};
  GetWindowsDirectoryW(windows, MAX_PATH);
  GetSystemDirectoryW(system, MAX_PATH);
  EXPECT_EQ(Invoke(L"WinPath").value.text() + L" " + Invoke(L"WinSysPath").value.text(), windows + (L" " + std::wstring(system)));
  EXPECT_EQ(Invoke(L"DriveType", {L"C:\\"}).value.number(), long{DRIVE_FIXED});
  EXPECT_EQ(Invoke(L"CdDrive").value.text() + Invoke(L"VolLabel", {L"C:\\"}).value.text(), L"") << "no CD, no label";
  for (const wchar_t* name : {L"readme.txt", L"hidden.ini", L"page.html"}) std::ofstream(scratch_ / name) << "x";
  SetFileAttributesW((scratch_ / "hidden.ini").c_str(), FILE_ATTRIBUTE_HIDDEN);
  std::filesystem::create_directory(scratch_ / L"folder");
  const struct {
    std::wstring name;
    bool file, directory;
  } cases[] = {
      {L"README.TXT", true, true},  // a file counts as a directory
      {L"hidden.ini", false, false},
      {L"folder\\", false, true},
      // Wine finds page.html for *.htm by its short alias; long names only count.
      {L"*.txt", true, true},
      {L"*.htm", false, false},
      // No code for it in code page 1252: the ANSI name would carry "?" instead.
      {L"readm\x0416.txt", false, false},
  };
  ASSERT_EQ(GetACP(), 1252u);
  for (const auto& c : cases) {
    EXPECT_EQ(True(L"FileExist", c.name), c.file) << Narrow(c.name);
    EXPECT_EQ(True(L"DirExist", c.name), c.directory) << Narrow(c.name);
  }
}

// A file converted line by line, each line as En_Ir_To_nivo(Reverse(line)) gives it.
TEST_F(Utilities, FileConversion) {
  std::ofstream(scratch_ / "in.txt", std::ios::binary) << "~fff~\r\nx ~ff~\r\n\r\n";
  EXPECT_TRUE(Invoke(L"En_Ir_FileToNivo", {(scratch_ / "in.txt").wstring(), (scratch_ / "out.txt").wstring()}).value.isTrue());
  std::ifstream converted(scratch_ / "out.txt", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(converted), {}), "\x8F\x8E\x8D\r\nx  \x8F\x8D\r\n\r\n");
}

// Without a printer, the error's description in a box and False; PrintAttrib, a
// script's variable, keeps its value and type.
TEST_F(Utilities, PrintTextWithoutAPrinter) {
  DWORD needed = 0, count = 0;
  EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 2, nullptr, 0, &needed, &count);
  if (needed != 0) GTEST_SKIP() << "this prefix has a printer";
  Variant attribute(VT_UI1, 7);
  MessageBoxWatcher boxes;
  EXPECT_FALSE(Invoke(L"PrintText", {L"one line", L"Arial", I2(12), Variant(VT_BOOL, 1), &attribute}).value.isTrue());
  EXPECT_EQ(boxes.answered(), std::vector<std::wstring>{L"Pelikar: Printer error: no printer is installed"});
  EXPECT_EQ(V_VT(&attribute), VT_UI1);
  EXPECT_EQ(V_UI1(&attribute), 7);
}

// ShapeOval and ShapeRect leave a real window, reached through a host object's hwnd,
// with the very pixels of the region the platform makes for the same arguments; a
// coordinate past GDI's range is an invalid argument.
TEST_F(Utilities, WindowShapes) {
  // A popup: the whole window is its client area, so region and window agree.
  const HWND window = CreateWindowExW(0, L"STATIC", L"form", WS_POPUP, 10, 10, 200, 100, nullptr,
                                      nullptr, nullptr, nullptr);
  TestObject* form = (new TestObject())->Set(L"hwnd", I4(HandleToLong(window)));
  const HRGN region = CreateRectRgn(0, 0, 0, 0);
  auto shapedAs = [&](HRGN expected) {
    const bool same = GetWindowRgn(window, region) != ERROR &&
                      CombineRgn(region, region, expected, RGN_XOR) == NULLREGION;
    DeleteObject(expected);
    return same;
  };
  EXPECT_NE(Invoke(L"ShapeOval", {form, I4(0), I4(0), I4(190), I4(95)}).value.number(), 0);
  EXPECT_TRUE(shapedAs(CreateEllipticRgn(0, 0, 190, 95)));
  EXPECT_NE(Invoke(L"ShapeRect", {form, I4(40), I4(20), I4(190), I4(95), I4(40), I4(20)}).value.number(), 0);
  EXPECT_TRUE(shapedAs(CreateRoundRectRgn(40, 20, 190, 95, 40, 20)));
  for (double outside : {double(1 << 27), -double(1 << 27) - 1, 2147483647.0}) {
    EXPECT_EQ(Invoke(L"ShapeOval", {form, I4(0), I4(outside), I4(0), I4(0)}).raised(), RunTimeError(5));
    EXPECT_EQ(Invoke(L"ShapeRect", {form, I4(0), I4(0), I4(0), I4(0), I4(0), I4(outside)}).raised(), RunTimeError(5));
  }
  form->Release();
  DeleteObject(region);
  DestroyWindow(window);
}

int CALLBACK NoteFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

// A path that cannot be copied shows the installer's box and gives False; a full path
// is copied into the fonts directory and registered, with no box.
TEST_F(Utilities, InstallFont) {
  const char* face = std::getenv("PELIKAR_TEST_FACE");
  const char* font = std::getenv("PELIKAR_TEST_FONT");
  ASSERT_TRUE(face != nullptr && font != nullptr) << "PELIKAR_TEST_FACE or PELIKAR_TEST_FONT is not set";
  const std::wstring file = L"pelikar-test-font.ttf", copy = L"C:\\windows\\Fonts\\" + file;
  auto faceKnown = [&] {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    MultiByteToWideChar(CP_ACP, 0, face, -1, wanted.lfFaceName, LF_FACESIZE);
    bool found = false;
    const HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &wanted, NoteFace, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
  };
  ASSERT_FALSE(faceKnown()) << "the face is known before the test registers it";
  std::filesystem::copy_file(std::string("Z:") + font, scratch_ / file);
  MessageBoxWatcher boxes;
  EXPECT_FALSE(True(L"InstallFont", L"no\\such\\missing.ttf"));
  EXPECT_TRUE(True(L"InstallFont", file));
  ASSERT_EQ(boxes.answered().size(), 1u) << "the failure's box alone";
  EXPECT_EQ(boxes.answered()[0].rfind(L"Pelikar: Error in the Pelikar font installer", 0), 0u);
  EXPECT_EQ(std::filesystem::file_size(copy), std::filesystem::file_size(scratch_ / file));
  EXPECT_TRUE(faceKnown());
  SetFileAttributesW(copy.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileW(copy.c_str());
}

// The glyph fonts as Windows sees them: each registers with AddFontResourceW, is
// selected by its face name alone, as a host's field asks for it, and a code page's
// bytes reach the font's own glyph for every code, as ANSI text and as the Unicode
// text the ANSI code page decodes them to (run under code pages 1252 and 1256). (That
// the glyphs draw is the screenshot of Pelikar Pad's fields.)
//   GlyphFonts: told the fonts' directory by PELIKAR_FONTS (a Unix path) and the ANSI
//   code page the run must have by PELIKAR_ANSI_CODE_PAGE.

TEST(GlyphFonts, EveryCodeReachesItsOwnGlyph) {
  const char* fonts = std::getenv("PELIKAR_FONTS");
  const char* codePage = std::getenv("PELIKAR_ANSI_CODE_PAGE");
  ASSERT_TRUE(fonts != nullptr && codePage != nullptr) << "PELIKAR_FONTS or PELIKAR_ANSI_CODE_PAGE is not set";
  ASSERT_EQ(GetACP(), static_cast<UINT>(std::atoi(codePage)));
  // The printable codes, 32-126 and 128-255, have glyphs 1-223 in code order.
  std::string codes;
  for (int code = 32; code < 256; ++code) codes += code != 127 ? std::string(1, static_cast<char>(code)) : "";
  const int count = static_cast<int>(codes.size());
  std::wstring wide(codes.size(), L'\0');
  ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, codes.data(), count, wide.data(), count), count);
  for (const auto& [file, face] : {std::pair{"nivo2.ttf", "Nivo2"}, {"nivo_ir.ttf", "Nivo_Ir"}}) {
    SCOPED_TRACE(face);
    const std::string path = std::string("Z:") + fonts + "/" + file;
    ASSERT_GT(AddFontResourceA(path.c_str()), 0) << path;
    const HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, CreateFontA(-32, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                                     OUT_TT_ONLY_PRECIS, 0, 0, 0, face));
    char selected[LF_FACESIZE] = {};
    GetTextFaceA(dc, LF_FACESIZE, selected);
    EXPECT_STREQ(selected, face);
    std::vector<WORD> ansi(codes.size()), unicode(codes.size());
    GetGlyphIndicesA(dc, codes.c_str(), count, ansi.data(), GGI_MARK_NONEXISTING_GLYPHS);
    GetGlyphIndicesW(dc, wide.c_str(), count, unicode.data(), GGI_MARK_NONEXISTING_GLYPHS);
    for (int i = 0; i < count; ++i) {
      const int code = static_cast<unsigned char>(codes[i]);
      EXPECT_EQ(ansi[i], code < 127 ? code - 31 : code - 32) << "code " << code;
      EXPECT_EQ(unicode[i], code < 127 ? code - 31 : code - 32) << "code " << code << " as U+" << std::hex << int(wide[i]);
    }
    DeleteObject(SelectObject(dc, old));
    DeleteDC(dc);
    RemoveFontResourceA(path.c_str());
  }
}

}  // namespace
}  // namespace pelikar::com_tests
