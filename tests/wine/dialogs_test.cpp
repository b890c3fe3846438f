// The control's own windows through IDispatch, as a host calls them: the message box
// answered by a watcher thread, and the tooltip against a host window that has the
// focus. (What the box shows where, which buttons a set has and where the tip goes
// are the portable suite's layout; the screenshots show them drawn.)
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

// The tip shows below the pointer and never takes the focus; an empty text takes it
// down; one left up goes with the last control of its thread, and lets the module go.
TEST_F(Dialogs, TheTipNeverTakesTheFocusAndGoesWithTheControl) {
  HostForm host;
  SetCursorPos(300, 200);
  EXPECT_TRUE(Tip(L"~sghl~"));
  Pump(500, [] { return FindTip() != nullptr; });
  const HWND window = FindTip();
  ASSERT_NE(window, nullptr);
  RECT at;
  GetWindowRect(window, &at);
  EXPECT_TRUE(at.top > 200 && at.left < 300 && at.right > 300) << "below the pointer";
  const LONG wanted = WS_EX_NOACTIVATE | WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
  EXPECT_EQ(GetWindowLongW(window, GWL_EXSTYLE) & wanted, wanted);
  EXPECT_EQ(GetFocus(), host.field) << "the host keeps the focus";
  EXPECT_EQ(GetActiveWindow(), host.form);
  EXPECT_TRUE(Tip(L""));
  EXPECT_FALSE(IsWindow(window));

  EXPECT_TRUE(Tip(L"~sghl~"));
  Pump(1000, [] { return FindTip() != nullptr; });
  ASSERT_NE(FindTip(), nullptr);
  EXPECT_EQ(control_->Release(), 0u);
  control_ = nullptr;
  EXPECT_EQ(FindTip(), nullptr);
  EXPECT_EQ(module_.CanUnloadNow(), S_OK);
}

}  // namespace
}  // namespace pelikar::com_tests
