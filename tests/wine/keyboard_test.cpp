// The on-screen keyboard through IDispatch, as a host calls it: a watcher thread
// clicks its keys, types into its field and closes it while the test thread waits in
// KeyBoard. (Its grid, its place, its texts and what each key types are the portable
// suite's; the keyboard screenshot shows it drawn.)
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "control_test.h"
#include "dialog_windows.h"

namespace pelikar::com_tests {
namespace {

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

class Keyboard : public ControlTest {
 protected:
  // Opens the keyboard with the text; the watcher takes the steps when it appears,
  // polling every pollMs. (KeyBoard2, which places it, opens the screenshot's.)
  std::wstring Open(const std::wstring& text, std::vector<Step> steps, DWORD pollMs = 20) {
    WindowWatcher answerer(L"PelikarKeyboard", [&](HWND keyboard, const WindowView&) {
      for (const Step& step : steps) step(keyboard);
      return true;
    }, pollMs);
    const Variant caption = Variant::Text(L"Type here"), typed = Variant::Text(text);
    const CallResult call = Invoke(L"KeyBoard", {&caption, &typed});
    EXPECT_EQ(call.result, S_OK) << Narrow(call.description());
    return call.value.type() == VT_BSTR ? call.value.text() : L"(no text)";
  }

  std::wstring Nivo(const std::wstring& typed) {
    const Variant text = Variant::Text(typed);
    return Invoke(L"En_Ir_To_nivo", {&text}).value.text();
  }
};

// How a dialog ends, and what clicks and keys type into the field on the way, in the
// Nivo code page whatever CodePage says. A dialog closed after one that kept its text
// returns nothing of it.
TEST_F(Keyboard, EndingsAndTyping) {
  const Variant ir = Variant::Short(1);
  ASSERT_EQ(Call(control_, L"CodePage", {&ir}, DISPATCH_PROPERTYPUT).result, S_OK);
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
  };
  for (const auto& ending : endings) {
    EXPECT_EQ(Open(ending.text, ending.steps), ending.expected) << ending.name;
  }
}

// The copy button fills the clipboard with the text's bytes and its Persian letters,
// and leaves the keyboard open.
TEST_F(Keyboard, TheCopyButtonFillsTheClipboardInBothFormats) {
  EXPECT_EQ(Open(L"~sghl~", {Click(kCopy), Click(kClear), Click(kOk)}), L"");
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

TEST_F(Keyboard, FiveHundredOpeningsLeaveNoObjectsBehind) {
  Open(L"~sghl~", {Click(kSemicolon), Click(kEsc)});  // classes that stay for the process
  const GuiObjects before = CountGuiObjects();
  for (int i = 0; i < 500; ++i) {
    ASSERT_EQ(Open(L"~sghl~", {Click(kSemicolon), Click(kEsc)}, 1), L"") << i;
  }
  EXPECT_EQ(CountGuiObjects(), before);
}

}  // namespace
}  // namespace pelikar::com_tests
