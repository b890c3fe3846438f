// The control's own windows through IDispatch, as a host calls them: the message box
// read and answered by a watcher thread, the tooltip against a host window that has
// the focus, and the label animation on a host's label.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "control_test.h"
#include "dialog_windows.h"
#include "test_object.h"

namespace pelikar::com_tests {
namespace {

constexpr wchar_t kTipClass[] = L"PelikarToolTip";
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
          if (button && *button >= 0) {
            PostMessageW(GetDlgItem(box, kFirstButtonId + *button), BM_CLICK, 0, 0);
          }
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

class Dialogs : public ControlTest {
 protected:
  // Message, or Message2 with the box's top and left edges.
  short Message(BoxAnswerer& answerer, const std::wstring& prompt, short buttons,
                const std::wstring& title, std::optional<POINT> at = std::nullopt) {
    const Variant p = Variant::Text(prompt), b = Variant::Short(buttons),
                  t = Variant::Text(title), a = Variant::Short(0);
    const Variant x = Variant::Short(at ? static_cast<short>(at->x) : 0);
    const Variant y = Variant::Short(at ? static_cast<short>(at->y) : 0);
    const short result = at ? Result(Invoke(L"Message2", {&p, &b, &t, &a, &x, &y}))
                            : Result(Invoke(L"Message", {&p, &b, &t, &a}));
    answerer.Forget();
    return result;
  }

  static short Result(const CallResult& call) {
    EXPECT_EQ(call.result, S_OK) << Narrow(call.description());
    return call.value.type() == VT_I2 ? V_I2(call.value.get()) : V_BOOL(call.value.get());
  }

  std::wstring Nivo(const std::wstring& typed) {
    const Variant text = Variant::Text(typed);
    return Invoke(L"En_Ir_To_nivo", {&text}).value.text();
  }

  bool Tip(const std::wstring& text) {
    const Variant tip = Variant::Text(text);
    return Result(Invoke(L"ToolTip", {&tip})) == VARIANT_TRUE;
  }
};

// Every set shows just its buttons, and each returns its own value.
TEST_F(Dialogs, EveryButtonReturnsItsValue) {
  const std::vector<int> sets[] = {{0}, {0, 1}, {2, 3, 4}, {1, 5, 6}, {5, 6}, {1, 3}, {}, {0}};
  BoxAnswerer answerer;
  std::size_t boxes = 0;
  for (short set = 0; set < 8; ++set) {
    for (int index : sets[set]) {
      EXPECT_EQ(Message(answerer, L"a", set, L"click " + std::to_wstring(index)), index + 1)
          << "set " << set << " button " << index;
      std::vector<int> shown;
      for (const ChildControl* button : answerer.seen().at(boxes++).Of(L"Button")) {
        shown.push_back(button->id - kFirstButtonId);
      }
      std::sort(shown.begin(), shown.end());
      EXPECT_EQ(shown, sets[set]) << "set " << set;
    }
  }
}

// Two lines and three buttons where Message2 puts them (X is the top edge), in the
// screen's pixels: the texts converted, the set's first button the default one.
TEST_F(Dialogs, TheBoxShowsItsTextsWhereTold) {
  BoxAnswerer answerer;
  ASSERT_EQ(Message(answerer, L"~sghl~|~fgi~", 3, L"click 6", POINT{1000, 2000}), 7);
  const WindowView view = answerer.seen().at(0);
  EXPECT_EQ(view.caption, L"click 6");
  EXPECT_EQ(view.frame.top, PixelsY(1000));
  EXPECT_EQ(view.frame.left, PixelsX(2000));
  EXPECT_EQ(view.frame.bottom - view.frame.top, PixelsY(1750));
  EXPECT_EQ(view.frame.right - view.frame.left, PixelsX(4185));
  const std::wstring converted = Nivo(L"~sghl~|~fgi~");
  const std::vector<const ChildControl*> statics = view.Of(L"Static");
  ASSERT_EQ(statics.size(), 3u) << "two lines and the credit";
  EXPECT_EQ(statics[0]->text, converted.substr(0, converted.find(L'|')));
  EXPECT_EQ(statics[1]->text, L" " + converted.substr(converted.find(L'|') + 1));
  EXPECT_EQ(statics[2]->text, L"Pelikar");
  EXPECT_EQ(statics[0]->face + statics[1]->face + statics[2]->face, L"Nivo2Nivo2Tahoma");
  EXPECT_EQ(statics[0]->rect.left, PixelsX(100));
  EXPECT_EQ(statics[1]->rect.top, PixelsY(105 + 350));
  const struct {
    int index, left;
    const wchar_t* caption;
  } buttons[] = {{5, 120, L"~fJgJi~"}, {6, 1440, L"~oJdJv~"}, {1, 2760, L"~hkwvht~"}};
  for (const auto& expected : buttons) {
    const ChildControl* button = view.WithId(kFirstButtonId + expected.index);
    ASSERT_NE(button, nullptr) << expected.index;
    EXPECT_EQ(button->text, Nivo(expected.caption));
    EXPECT_EQ(button->face, L"Nivo2");
    EXPECT_EQ(button->rect.left, PixelsX(expected.left));
    EXPECT_EQ(button->rect.top, PixelsY(1750 - 850));
    EXPECT_EQ(button->rect.right - button->rect.left, PixelsX(1215));
    EXPECT_EQ(button->style & BS_TYPEMASK, expected.index == 5 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
  }
}

// The host's form is disabled while the box is up and enabled after; closing, the
// close command and Escape do nothing, Enter presses the focused first button. An
// empty title shows the control's name.
TEST_F(Dialogs, TheBoxIsModalAndOnlyAButtonClosesIt) {
  HostForm host;
  std::atomic<bool> hostEnabled{true}, survived{false};
  BoxAnswerer answerer([&](HWND box, const WindowView&) -> std::optional<int> {
    hostEnabled = IsWindowEnabled(host.form) != FALSE;
    const HWND focused = GetDlgItem(box, kFirstButtonId + 5);
    PostMessageW(box, WM_CLOSE, 0, 0);
    PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0);
    PostMessageW(focused, WM_KEYDOWN, VK_ESCAPE, 0);
    Sleep(200);
    survived = IsWindowVisible(box) != FALSE;
    PostMessageW(focused, WM_KEYDOWN, VK_RETURN, 0);
    return -1;
  });
  EXPECT_EQ(Message(answerer, L"a", 3, L""), 6);
  EXPECT_EQ(answerer.seen().at(0).caption, L"Pelikar");
  EXPECT_TRUE(survived);
  EXPECT_FALSE(hostEnabled);
  EXPECT_TRUE(IsWindowEnabled(host.form));
}

// The real font's widths widen the box for a long line; the buttons keep to the middle.
TEST_F(Dialogs, ALongPromptWidensTheBox) {
  BoxAnswerer answerer;
  EXPECT_EQ(Message(answerer, std::wstring(80, L'x'), 0, L"click 0"), 1);
  const WindowView view = answerer.seen().at(0);
  const int width = view.frame.right - view.frame.left;
  EXPECT_GT(width, PixelsX(4185));
  EXPECT_LE(view.Of(L"Static").at(0)->rect.right - 1, view.client.right) << "the line fits";
  EXPECT_NEAR(view.WithId(kFirstButtonId)->rect.left, PixelsX(1440) + (width - PixelsX(4185)) / 2, 2);
}

// A box opened from a host's timer while another is up answers with its own button,
// and so does the first.
std::atomic<short> nestedResult{0};
IDispatch* nestedControl = nullptr;

void CALLBACK OpenNestedBox(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  const Variant p = Variant::Text(L"b"), b = Variant::Short(1), t = Variant::Text(L"click 1"),
                a = Variant::Short(0);
  nestedResult = V_I2(Call(nestedControl, L"Message", {&p, &b, &t, &a}).value.get());
}

TEST_F(Dialogs, NestedBoxesReturnTheirOwnButtons) {
  nestedResult = 0;
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
  const HWND tip = FindWindowW(kTipClass, nullptr);
  return tip != nullptr && IsWindowVisible(tip) ? tip : nullptr;
}

// The tip follows the pointer and never takes the focus; an empty text takes it down.
TEST_F(Dialogs, TheTipFollowsThePointerAndNeverTakesTheFocus) {
  HostForm host;
  ASSERT_EQ(GetFocus(), host.field);
  SetCursorPos(300, 200);
  EXPECT_TRUE(Tip(L"~sghl~"));
  const DWORD start = GetTickCount();
  Pump(1000, [] { return FindTip() != nullptr; });
  const HWND window = FindTip();
  ASSERT_NE(window, nullptr);
  EXPECT_LE(GetTickCount() - start, 500u);
  RECT at, moved;
  GetWindowRect(window, &at);
  EXPECT_GT(at.top, 200) << "below the pointer";
  EXPECT_TRUE(at.left < 300 && at.right > 300);
  const LONG wanted = WS_EX_NOACTIVATE | WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
  EXPECT_EQ(GetWindowLongW(window, GWL_EXSTYLE) & wanted, wanted);

  SetCursorPos(400, 260);
  Pump(450);
  GetWindowRect(window, &moved);
  EXPECT_EQ(moved.left - at.left, 100);
  EXPECT_EQ(moved.top - at.top, 60);
  EXPECT_EQ(GetFocus(), host.field) << "the host keeps the focus";
  EXPECT_EQ(GetActiveWindow(), host.form);

  EXPECT_TRUE(Tip(L""));
  EXPECT_FALSE(IsWindow(window));

  // One left up goes with the last control of its thread, and lets the module go.
  EXPECT_TRUE(Tip(L"~sghl~"));
  Pump(1000, [] { return FindTip() != nullptr; });
  ASSERT_NE(FindTip(), nullptr);
  EXPECT_EQ(control_->Release(), 0u);
  control_ = nullptr;
  EXPECT_EQ(FindTip(), nullptr);
  EXPECT_EQ(module_.CanUnloadNow(), S_OK);
}

// The steps themselves are the portable suite's; here a host's label through
// IDispatch, and Min and Max written back through the references.
TEST_F(Dialogs, AnimationDrivesAHostsLabel) {
  TestObject* label = new TestObject();
  label->SetLong(L"FontSize", 8);
  label->AddMethod(L"Refresh");
  short min = 0, max = 0;
  const Variant host = Object(label), grow = Variant::Short(3), fast = Float(1000),
                low = Variant::ShortReference(&min), high = Variant::ShortReference(&max);
  label->Release();
  EXPECT_EQ(Result(Invoke(L"Animate", {&host, &grow, &fast, &low, &high})), VARIANT_TRUE);
  EXPECT_EQ(min * 100 + max, 1016);
  const std::vector<std::wstring> history = label->history();
  EXPECT_EQ(history.front() + L" " + history.back(), L"FontSize=10 Refresh");
  EXPECT_EQ(std::count(history.begin(), history.end(), L"Refresh"), 7);
}

}  // namespace
}  // namespace pelikar::com_tests
