// The control's own windows through IDispatch, as a host calls them: the message box
// read and answered by a watcher thread, the tooltip against a host window that has
// the focus, and the label animation on a recording label.
#include <windows.h>

#include <atomic>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "control_test.h"
#include "dialog_windows.h"
#include "gui_objects.h"
#include "test_object.h"
#include "window_watcher.h"

namespace pelikar::com_tests {
namespace {

constexpr wchar_t kBoxClass[] = L"PelikarMessageBox";
constexpr wchar_t kTipClass[] = L"PelikarToolTip";
constexpr int kFirstButtonId = 100;

// The control's message box: a box's buttons are its children of identifier
// kFirstButtonId plus their index.
const ChildControl* Button(const WindowView& view, int index) {
  return view.WithId(kFirstButtonId + index);
}

// Answers the control's message boxes: plan says which button to click, or nothing
// yet (-1: the plan answered by itself). By default the button is the one the box's
// title names: "click 3".
class BoxAnswerer {
 public:
  using Plan = std::function<std::optional<int>(HWND, const WindowView&)>;
  explicit BoxAnswerer(Plan plan = ByTitle, DWORD pollMs = 20)
      : answerer_(kBoxClass,
                  [plan = std::move(plan)](HWND box, const WindowView& view) {
                    const std::optional<int> button = plan(box, view);
                    if (!button) return false;
                    if (*button >= 0) {
                      PostMessageW(GetDlgItem(box, kFirstButtonId + *button), BM_CLICK, 0, 0);
                    }
                    return true;
                  },
                  pollMs) {}

  static std::optional<int> ByTitle(HWND, const WindowView& view) {
    return std::stoi(view.caption.substr(view.caption.find(L' ') + 1));
  }

  std::vector<WindowView> seen() const { return answerer_.seen(); }
  void Forget() { answerer_.Forget(); }

 private:
  DialogAnswerer answerer_;
};

// A host's form with a text box that has the keyboard focus.
class HostForm {
 public:
  HostForm()
      : form_(CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50,
                              300, 200, nullptr, nullptr, nullptr, nullptr)),
        field_(CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 10, 10, 200, 24, form_,
                               nullptr, nullptr, nullptr)) {
    SetForegroundWindow(form_);
    SetFocus(field_);
  }
  HostForm(const HostForm&) = delete;
  HostForm& operator=(const HostForm&) = delete;
  ~HostForm() { DestroyWindow(form_); }
  HWND form() const { return form_; }
  HWND field() const { return field_; }

 private:
  HWND form_;
  HWND field_;
};

class Dialogs : public ControlTest {
 protected:
  short Message(BoxAnswerer& answerer, const std::wstring& prompt, short buttons,
                const std::wstring& title) {
    const Variant p = Variant::Text(prompt), b = Variant::Short(buttons),
                  t = Variant::Text(title), a = Variant::Short(0);
    const short result = Result(Invoke(L"Message", {&p, &b, &t, &a}));
    answerer.Forget();
    return result;
  }

  static short Result(const CallResult& call) {
    EXPECT_EQ(call.result, S_OK) << Narrow(call.description());
    switch (call.value.type()) {
      case VT_I2: return V_I2(call.value.get());
      case VT_BOOL: return V_BOOL(call.value.get());
      default: return -99;
    }
  }

  std::wstring Nivo(const std::wstring& typed) {
    const Variant text = Variant::Text(typed);
    return Invoke(L"En_Ir_To_nivo", {&text}).value.text();
  }
};

// Every set's buttons: each returns its own value, and the box shows just the set's.
TEST_F(Dialogs, EveryButtonReturnsItsValue) {
  const std::map<short, std::vector<int>> sets = {
      {0, {0}}, {1, {0, 1}}, {2, {2, 3, 4}}, {3, {5, 6, 1}}, {4, {5, 6}}, {5, {3, 1}}, {7, {0}}};
  BoxAnswerer answerer;
  int boxes = 0;
  for (const auto& [set, buttons] : sets) {
    for (int index : buttons) {
      EXPECT_EQ(Message(answerer, L"a", set, L"click " + std::to_wstring(index)), index + 1)
          << "set " << set << " button " << index;
      const WindowView view = answerer.seen().at(boxes++);
      std::vector<int> shown;
      for (const ChildControl* button : view.Of(L"Button")) {
        shown.push_back(button->id - kFirstButtonId);
      }
      std::sort(shown.begin(), shown.end());
      std::vector<int> expected = buttons;
      std::sort(expected.begin(), expected.end());
      EXPECT_EQ(shown, expected) << "set " << set;
    }
  }
}

// Two lines, three buttons: what the box shows and where, in the screen's pixels.
TEST_F(Dialogs, TheBoxShowsTheLayout) {
  BoxAnswerer answerer;
  ASSERT_EQ(Message(answerer, L"~sghl~|~fgi~", 3, L"click 6"), 7);
  const WindowView view = answerer.seen().at(0);
  EXPECT_EQ(view.caption, L"click 6");
  const std::wstring converted = Nivo(L"~sghl~|~fgi~");
  const std::size_t bar = converted.find(L'|');
  ASSERT_NE(bar, std::wstring::npos);
  const std::vector<const ChildControl*> statics = view.Of(L"Static");
  ASSERT_EQ(statics.size(), 3u) << "two lines and the credit";
  EXPECT_EQ(statics[0]->text, converted.substr(0, bar));
  EXPECT_EQ(statics[1]->text, L" " + converted.substr(bar + 1));
  EXPECT_EQ(statics[0]->rect.left, PixelsX(100));
  EXPECT_EQ(statics[0]->rect.top, PixelsY(105));
  EXPECT_EQ(statics[1]->rect.top, PixelsY(105 + 350));
  EXPECT_EQ(statics[2]->text, L"Pelikar");
  EXPECT_EQ(view.frame.bottom - view.frame.top, PixelsY(1750));
  EXPECT_EQ(view.frame.right - view.frame.left, PixelsX(4185));
  const std::pair<int, int> placed[] = {{5, 120}, {6, 1440}, {1, 2760}};
  const wchar_t* captions[] = {L"", L"~hkwvht~", L"", L"", L"", L"~fJgJi~", L"~oJdJv~"};
  for (const auto& [index, left] : placed) {
    const ChildControl* button = Button(view, index);
    ASSERT_NE(button, nullptr) << index;
    EXPECT_EQ(button->text, Nivo(captions[index]));
    EXPECT_EQ(button->rect.left, PixelsX(left));
    EXPECT_EQ(button->rect.top, PixelsY(1750 - 850));
    EXPECT_EQ(button->rect.right - button->rect.left, PixelsX(1215));
  }
  EXPECT_EQ(Button(view, 5)->style & BS_TYPEMASK, BS_DEFPUSHBUTTON) << "the set's first button";
}

// The host's active form is disabled while the box is up, and enabled again after.
TEST_F(Dialogs, AnEmptyTitleShowsTheControlsNameOverTheDisabledHost) {
  HostForm host;
  std::atomic<bool> hostEnabled{true};
  BoxAnswerer answerer([&](HWND, const WindowView&) {
    hostEnabled = IsWindowEnabled(host.form()) != FALSE;
    return 0;
  });
  EXPECT_EQ(Message(answerer, L"a", 0, L""), 1);
  EXPECT_EQ(answerer.seen().at(0).caption, L"Pelikar");
  EXPECT_FALSE(hostEnabled);
  EXPECT_TRUE(IsWindowEnabled(host.form()));
}

// Closing, the close command and Escape do nothing; Enter presses the focused first
// button.
TEST_F(Dialogs, OnlyAButtonClosesTheBox) {
  std::atomic<bool> survived{false};
  BoxAnswerer answerer([&](HWND box, const WindowView&) -> std::optional<int> {
    const HWND focused = GetDlgItem(box, kFirstButtonId + 5);
    PostMessageW(box, WM_CLOSE, 0, 0);
    PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0);
    PostMessageW(focused, WM_KEYDOWN, VK_ESCAPE, 0);
    Sleep(200);
    survived = IsWindowVisible(box) != FALSE;
    PostMessageW(focused, WM_KEYDOWN, VK_RETURN, 0);
    return -1;  // answered by the key
  });
  EXPECT_EQ(Message(answerer, L"a", 3, L"keys"), 6);
  EXPECT_TRUE(survived);
}

TEST_F(Dialogs, Message2PutsTheBoxWhereTold) {
  BoxAnswerer answerer;
  const Variant p = Variant::Text(L"a"), b = Variant::Short(0), t = Variant::Text(L"click 0"),
                a = Variant::Short(0), x = Variant::Short(1000), y = Variant::Short(2000);
  EXPECT_EQ(Result(Invoke(L"Message2", {&p, &b, &t, &a, &x, &y})), 1);
  const RECT frame = answerer.seen().at(0).frame;
  EXPECT_EQ(frame.top, PixelsY(1000)) << "X is the top edge";
  EXPECT_EQ(frame.left, PixelsX(2000)) << "Y is the left edge";
}

TEST_F(Dialogs, ALongPromptWidensTheBox) {
  BoxAnswerer answerer;
  EXPECT_EQ(Message(answerer, std::wstring(80, L'x'), 0, L"click 0"), 1);
  const WindowView view = answerer.seen().at(0);
  const int width = view.frame.right - view.frame.left;
  const ChildControl* line = view.Of(L"Static").at(0);
  EXPECT_GT(width, PixelsX(4185));
  EXPECT_LE(line->rect.right - 1, view.client.right) << "the line fits";
  const ChildControl* button = Button(view, 0);
  EXPECT_NEAR(button->rect.left, PixelsX(1440) + (width - PixelsX(4185)) / 2, 2)
      << "the button keeps to the middle";
}

// A box opened while another is up (here from a timer of the host) answers with its
// own button, and so does the first.
std::atomic<short> nestedResult{0};
IDispatch* nestedControl = nullptr;

void CALLBACK OpenNestedBox(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  const Variant p = Variant::Text(L"b"), b = Variant::Short(1), t = Variant::Text(L"click 1"),
                a = Variant::Short(0);
  CallResult call = Call(nestedControl, L"Message", {&p, &b, &t, &a});
  nestedResult = V_I2(call.value.get());
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

TEST_F(Dialogs, AThousandBoxesLeaveNoObjectsBehind) {
  BoxAnswerer answerer([](HWND, const WindowView&) { return 2; }, 1);
  Message(answerer, L"~sghl~|a", 2, L"warm up");  // classes that stay for the process
  const GuiObjects before = CountGuiObjects();
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(Message(answerer, L"~sghl~|a", 2, L"again"), 3) << i;
  EXPECT_EQ(CountGuiObjects(), before);
}

HWND FindTip() {
  const HWND tip = FindWindowW(kTipClass, nullptr);
  return tip != nullptr && IsWindowVisible(tip) ? tip : nullptr;
}


TEST_F(Dialogs, TheTipFollowsThePointerAndNeverTakesTheFocus) {
  HostForm host;
  ASSERT_EQ(GetFocus(), host.field());
  SetCursorPos(300, 200);
  const Variant tip = Variant::Text(L"~sghl~");
  EXPECT_EQ(Result(Invoke(L"ToolTip", {&tip})), VARIANT_TRUE);
  const DWORD start = GetTickCount();
  Pump(1000, [] { return FindTip() != nullptr; });
  const HWND window = FindTip();
  ASSERT_NE(window, nullptr);
  EXPECT_LE(GetTickCount() - start, 500u);
  RECT at;
  GetWindowRect(window, &at);
  EXPECT_GT(at.top, 200) << "below the pointer";
  EXPECT_LT(at.left, 300);
  EXPECT_GT(at.right, 300);
  const LONG extended = GetWindowLongW(window, GWL_EXSTYLE);
  EXPECT_EQ(extended & (WS_EX_NOACTIVATE | WS_EX_TOPMOST | WS_EX_TOOLWINDOW),
            WS_EX_NOACTIVATE | WS_EX_TOPMOST | WS_EX_TOOLWINDOW);

  SetCursorPos(400, 260);
  Pump(450);
  RECT moved;
  GetWindowRect(window, &moved);
  EXPECT_EQ(moved.left - at.left, 100);
  EXPECT_EQ(moved.top - at.top, 60);
  EXPECT_EQ(GetFocus(), host.field()) << "the host keeps the focus";
  EXPECT_EQ(GetActiveWindow(), host.form());

  const Variant none = Variant::Text(L"");
  EXPECT_EQ(Result(Invoke(L"ToolTip", {&none})), VARIANT_TRUE);
  EXPECT_EQ(FindTip(), nullptr);
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(Dialogs, AThousandTipsLeaveNoObjectsBehind) {
  const Variant tip = Variant::Text(L"~sghl~"), none = Variant::Text(L"");
  const GuiObjects before = CountGuiObjects();
  for (int i = 0; i < 1000; ++i) {
    ASSERT_EQ(Result(Invoke(L"ToolTip", {&tip})), VARIANT_TRUE);
    ASSERT_EQ(Result(Invoke(L"ToolTip", {&none})), VARIANT_TRUE);
  }
  EXPECT_EQ(CountGuiObjects(), before);
}

// A tip left up goes with the last control of its thread, and lets the module go.
TEST_F(Dialogs, ATipLeftUpGoesWithTheControl) {
  const Variant tip = Variant::Text(L"~sghl~");
  EXPECT_EQ(Result(Invoke(L"ToolTip", {&tip})), VARIANT_TRUE);
  Pump(1000, [] { return FindTip() != nullptr; });
  ASSERT_NE(FindTip(), nullptr);
  EXPECT_EQ(control_->Release(), 0u);
  control_ = nullptr;
  EXPECT_EQ(FindTip(), nullptr);
  EXPECT_EQ(module_.CanUnloadNow(), S_OK);
}

class Animation : public Dialogs {
 protected:
  void SetUp() override {
    Dialogs::SetUp();
    label_ = new TestObject();
    label_->Set(L"Caption", *Variant::Text(L"ab").get());
    label_->SetLong(L"ForeColor", 0);
    label_->SetLong(L"FontSize", 8);
    label_->AddMethod(L"Refresh");
  }
  void TearDown() override {
    label_->Release();
    Dialogs::TearDown();
  }

  // Animate with Min and Max omitted, or given by reference.
  short Animate(short effect, float speed, short* min = nullptr, short* max = nullptr) {
    const Variant label = Object(label_), e = Variant::Short(effect), s = Float(speed);
    if (min == nullptr) return Result(Invoke(L"Animate", {&label, &e, &s}));
    const Variant low = Variant::ShortReference(min), high = Variant::ShortReference(max);
    return Result(Invoke(L"Animate", {&label, &e, &s, &low, &high}));
  }

  // The history without the Refresh calls, and how many of those came.
  std::vector<std::wstring> Writes(int* refreshes = nullptr) const {
    std::vector<std::wstring> writes;
    for (const std::wstring& step : label_->history()) {
      if (step == L"Refresh") {
        if (refreshes != nullptr) ++*refreshes;
      } else {
        writes.push_back(step);
      }
    }
    return writes;
  }

  TestObject* label_ = nullptr;
};

TEST_F(Animation, GrowingFontWithTheDefaultsWrittenBack) {
  short min = 0, max = 0;
  EXPECT_EQ(Animate(3, 100, &min, &max), VARIANT_TRUE);
  EXPECT_EQ(min, 10);
  EXPECT_EQ(max, 16);
  int refreshes = 0;
  std::vector<std::wstring> expected;
  for (int size = 10; size <= 16; ++size) expected.push_back(L"FontSize=" + std::to_wstring(size));
  EXPECT_EQ(Writes(&refreshes), expected);
  EXPECT_EQ(refreshes, 7);
}

TEST_F(Animation, ScrollingAndPulses) {
  short min = 1, max = 2;
  EXPECT_EQ(Animate(1, 1000, &min, &max), VARIANT_TRUE);
  std::vector<std::wstring> captions = Writes();
  ASSERT_EQ(captions.size(), 24u);
  EXPECT_EQ(captions.front(), L"Caption= ");
  EXPECT_EQ(captions.back(), L"Caption=ab          ab          ");

  min = max = 1;
  const std::size_t before = Writes().size();
  EXPECT_EQ(Animate(5, 1000, &min, &max), VARIANT_TRUE);
  const std::vector<std::wstring> colours = Writes();
  ASSERT_EQ(colours.size() - before, 30u);
  EXPECT_EQ(colours[before], L"ForeColor=110");
  EXPECT_EQ(colours[before + 14], L"ForeColor=250");
  EXPECT_EQ(colours.back(), L"ForeColor=100");

  min = 20;
  max = 10;
  EXPECT_EQ(Animate(3, 1000, &min, &max), VARIANT_TRUE);
  EXPECT_EQ(Writes().size(), colours.size()) << "Min above Max: no step";
}

TEST_F(Animation, UnknownEffectsSaySoAndFailuresAnswerFalse) {
  MessageBoxWatcher boxes;
  for (short effect : {0, 8, -1}) EXPECT_EQ(Animate(effect, 10), VARIANT_TRUE) << effect;
  ASSERT_EQ(boxes.answered().size(), 3u);
  EXPECT_EQ(boxes.answered()[0].text, L"New effects in new versions");

  EXPECT_EQ(Animate(3, 0), VARIANT_FALSE) << "Speed 0";
  TestObject* plain = new TestObject();
  plain->Set(L"Caption", *Variant::Text(L"ab").get());
  plain->AddMethod(L"Refresh");
  const Variant label = Object(plain), e = Variant::Short(3), s = Float(1000);
  plain->Release();
  EXPECT_EQ(Result(Invoke(L"Animate", {&label, &e, &s})), VARIANT_FALSE) << "no FontSize";
  EXPECT_TRUE(label_->history().empty());
}

}  // namespace
}  // namespace pelikar::com_tests
