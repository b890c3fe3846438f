// The control's own windows through IDispatch, as a host calls them: the message box
// answered by a watcher thread, the tooltip against a host window that has the focus,
// and the on-screen keyboard. (What the box shows where, which buttons a set has and where the tip goes
// are the portable suite's layout; the screenshots show them drawn. client.vbs shows
// a tip with the optional Button left out.)
#include <windows.h>

#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "control_test.h"
#include "dialog_windows.h"

namespace pelikar::com_tests {
namespace {

constexpr int kFirstButtonId = 100;  // a box's button i is its child kFirstButtonId + i

// Answers the control's message boxes: plan names the button to click, -1 when it has
// answered by itself, nothing to be asked again. By default, the button the box's
// title names: "click 3".
using BoxPlan = std::function<std::optional<int>(HWND, const WindowView&)>;
std::optional<int> ByTitle(HWND, const WindowView& view) {
  return std::stoi(view.caption.substr(view.caption.find(L' ') + 1));
}

struct BoxAnswerer : WindowWatcher {
  explicit BoxAnswerer(BoxPlan plan = ByTitle, DWORD pollMs = 20)
      : WindowWatcher(L"PelikarMessageBox", [plan](HWND box, const WindowView& view) {
          const std::optional<int> button = plan(box, view);
          if (button && *button >= 0) PostMessageW(GetDlgItem(box, kFirstButtonId + *button), BM_CLICK, 0, 0);
          return button.has_value();
        }, pollMs) {}
};

// A host's form with a text box that has the keyboard focus.
struct HostForm {
  HostForm() {
    SetForegroundWindow(form);
    SetFocus(field);
  }
  ~HostForm() { DestroyWindow(form); }
  const HWND form = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50,
                                    50, 300, 200, nullptr, nullptr, nullptr, nullptr);
  const HWND field = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 10, 10, 200, 24,
                                     form, nullptr, nullptr, nullptr);
};

// Message with the prompt, the button set and the title; the button pressed.
short Message(IDispatch* control, const std::wstring& prompt, short buttons, const std::wstring& title) {
  const Variant p = Variant::Text(prompt), b = Variant::Short(buttons), t = Variant::Text(title),
                alignment = Variant::Short(0);
  const CallResult call = Call(control, L"Message", {&p, &b, &t, &alignment});
  EXPECT_EQ(call.result, S_OK) << Narrow(call.description());
  return V_I2(call.value.get());
}

class Dialogs : public ControlTest {
 protected:
  short Message(BoxAnswerer& answerer, const std::wstring& prompt, short buttons, const std::wstring& title) {
    const short result = com_tests::Message(control_, prompt, buttons, title);
    answerer.Forget();
    return result;
  }
  bool Tip(const std::wstring& text) {
    const Variant tip = Variant::Text(text);
    return V_BOOL(Invoke(L"ToolTip", {&tip}).value.get()) == VARIANT_TRUE;
  }
};

// Every button of every set returns its own value.
TEST_F(Dialogs, EveryButtonReturnsItsValue) {
  const std::vector<int> sets[] = {{0}, {0, 1}, {2, 3, 4}, {1, 5, 6}, {5, 6}, {1, 3}, {}, {0}};
  BoxAnswerer answerer;
  for (short set = 0; set < 8; ++set) {
    for (int index : sets[set]) {
      EXPECT_EQ(Message(answerer, L"a", set, L"click " + std::to_wstring(index)), index + 1)
          << "set " << set << " button " << index;
    }
  }
}

// The host's form is disabled while the box is up and enabled after; closing, the
// close command and Escape do nothing, Enter presses the focused first button. An
// empty title shows the control's name.
TEST_F(Dialogs, TheBoxIsModalAndOnlyAButtonClosesIt) {
  HostForm host;
  std::atomic<bool> hostEnabled{true}, survived{false};
  BoxAnswerer answerer([&](HWND box, const WindowView& view) -> std::optional<int> {
    hostEnabled = IsWindowEnabled(host.form) != FALSE;
    const HWND focused = GetDlgItem(box, kFirstButtonId + 5);
    PostMessageW(box, WM_CLOSE, 0, 0);
    PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0);
    PostMessageW(focused, WM_KEYDOWN, VK_ESCAPE, 0);
    Sleep(200);
    survived = IsWindowVisible(box) && view.caption == L"Pelikar";
    PostMessageW(focused, WM_KEYDOWN, VK_RETURN, 0);
    return -1;
  });
  EXPECT_EQ(Message(answerer, L"a", 3, L""), 6);
  EXPECT_TRUE(survived) << "and titled Pelikar";
  EXPECT_FALSE(hostEnabled);
  EXPECT_TRUE(IsWindowEnabled(host.form));
}

// A box opened from a host's timer while another is up answers with its own button,
// and so does the first.
std::atomic<short> nestedResult{0};
IDispatch* nestedControl = nullptr;

void CALLBACK OpenNestedBox(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  nestedResult = Message(nestedControl, L"b", 1, L"click 1");
}

TEST_F(Dialogs, NestedBoxesReturnTheirOwnButtons) {
  nestedControl = control_;
  BoxAnswerer answerer([](HWND, const WindowView& view) -> std::optional<int> {
    if (view.caption == L"click 1") return 1;
    if (nestedResult == 0) return std::nullopt;  // the first waits for the nested one
    return 0;
  });
  SetTimer(nullptr, 0, 50, OpenNestedBox);
  EXPECT_EQ(Message(answerer, L"a", 1, L"outer"), 1);
  EXPECT_EQ(nestedResult, 2);
  EXPECT_EQ(answerer.seen().size(), 2u);
}

TEST_F(Dialogs, AThousandBoxesAndTipsLeaveNoObjectsBehind) {
  BoxAnswerer answerer([](HWND, const WindowView&) { return 2; }, 1);
  Message(answerer, L"~sghl~|a", 2, L"warm up");  // classes that stay for the process
  const GuiObjects before = CountGuiObjects();
  for (int i = 0; i < 1000; ++i) {
    ASSERT_EQ(Message(answerer, L"~sghl~|a", 2, L"again"), 3) << i;
    ASSERT_TRUE(Tip(L"~sghl~") && Tip(L"")) << i;
  }
  EXPECT_EQ(CountGuiObjects(), before);
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
