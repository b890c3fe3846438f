// ShapeOval and ShapeRect on a real window, which the control reaches through the
// "hwnd" property of a host object: the region the window is left with, by its box
// and by points inside and outside.
#include <windows.h>

#include <vector>

#include <gtest/gtest.h>

#include "control_test.h"
#include "test_object.h"

namespace pelikar::com_tests {
namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 100;

class WindowShape : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"PelikarShapeTest";
    RegisterClassW(&windowClass);
    // A popup: the whole window is its client area, so region and window agree.
    window_ = CreateWindowExW(0, L"PelikarShapeTest", L"form", WS_POPUP, 10, 10, kWidth,
                              kHeight, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window_, nullptr);
    form_->SetLong(L"hwnd", HandleToLong(window_));
  }
  void TearDown() override {
    if (window_ != nullptr) DestroyWindow(window_);
    form_->Release();
    ControlTest::TearDown();
  }

  LONG ShapeOval(LONG x1, LONG y1, LONG x2, LONG y2) {
    const Variant yourForm = Object(form_);
    const Variant a = Variant::Long(x1), b = Variant::Long(y1), c = Variant::Long(x2),
                  d = Variant::Long(y2);
    return Answer(Invoke(L"ShapeOval", {&yourForm, &a, &b, &c, &d}));
  }

  LONG ShapeRect(LONG x1, LONG y1, LONG x2, LONG y2, LONG x3, LONG y3) {
    const Variant yourForm = Object(form_);
    const Variant a = Variant::Long(x1), b = Variant::Long(y1), c = Variant::Long(x2),
                  d = Variant::Long(y2), e = Variant::Long(x3), f = Variant::Long(y3);
    return Answer(Invoke(L"ShapeRect", {&yourForm, &a, &b, &c, &d, &e, &f}));
  }

  static LONG Answer(const CallResult& call) {
    EXPECT_EQ(call.result, S_OK);
    return call.result == S_OK ? V_I4(call.value.get()) : -1;
  }

  // The window's region: its box, and whether it holds each point.
  struct Region {
    int type = ERROR;
    RECT box{};
    HRGN handle = nullptr;
    bool Holds(int x, int y) const { return PtInRegion(handle, x, y) != FALSE; }
  };
  Region WindowRegion() {
    Region region;
    region.handle = CreateRectRgn(0, 0, 0, 0);
    regions_.push_back(region.handle);
    region.type = GetWindowRgn(window_, region.handle);
    GetRgnBox(region.handle, &region.box);
    return region;
  }
  ~WindowShape() override {
    for (HRGN region : regions_) DeleteObject(region);
  }

  HWND window_ = nullptr;
  TestObject* form_ = new TestObject();
  std::vector<HRGN> regions_;
};

// The platform's own regions leave out the right and bottom edges of their box;
// the window's region must cover the very pixels of the region the platform makes for
// the same arguments (compared by area: the rectangles may be cut differently).
void ExpectSameRegion(HRGN actual, HRGN expected) {
  HRGN difference = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(CombineRgn(difference, actual, expected, RGN_XOR), NULLREGION);
  RECT box{};
  GetRgnBox(difference, &box);
  EXPECT_TRUE(IsRectEmpty(&box)) << "they differ within " << box.left << "," << box.top << ","
                                 << box.right << "," << box.bottom;
  DeleteObject(difference);
  DeleteObject(expected);
}

TEST_F(WindowShape, ShapeOvalMakesTheWindowTheInscribedEllipse) {
  EXPECT_NE(ShapeOval(0, 0, kWidth, kHeight), 0);
  const Region region = WindowRegion();
  ASSERT_EQ(region.type, COMPLEXREGION) << "the window has no elliptic region";
  ExpectSameRegion(region.handle, CreateEllipticRgn(0, 0, kWidth, kHeight));
  EXPECT_EQ(region.box.left, 0);
  EXPECT_EQ(region.box.top, 0);
  EXPECT_GE(region.box.right, kWidth - 1);
  EXPECT_GE(region.box.bottom, kHeight - 1);
  EXPECT_TRUE(region.Holds(kWidth / 2, kHeight / 2));
  for (POINT edge : {POINT{2, kHeight / 2}, POINT{kWidth / 2, 2}, POINT{kWidth - 4, kHeight / 2},
                     POINT{kWidth / 2, kHeight - 4}}) {
    EXPECT_TRUE(region.Holds(edge.x, edge.y)) << edge.x << "," << edge.y;
  }
  for (POINT corner : {POINT{0, 0}, POINT{kWidth - 1, 0}, POINT{0, kHeight - 1},
                       POINT{kWidth - 1, kHeight - 1}, POINT{20, 10}}) {
    EXPECT_FALSE(region.Holds(corner.x, corner.y)) << corner.x << "," << corner.y;
  }
}

TEST_F(WindowShape, ShapeRectWithoutRoundingIsAPlainRectangle) {
  EXPECT_NE(ShapeRect(0, 0, kWidth, kHeight, 0, 0), 0);
  const Region region = WindowRegion();
  ASSERT_EQ(region.type, SIMPLEREGION) << "one rectangle";
  ExpectSameRegion(region.handle, CreateRoundRectRgn(0, 0, kWidth, kHeight, 0, 0));
  const RECT& box = region.box;
  for (POINT corner : {POINT{box.left, box.top}, POINT{box.right - 1, box.top},
                       POINT{box.left, box.bottom - 1}, POINT{box.right - 1, box.bottom - 1}}) {
    EXPECT_TRUE(region.Holds(corner.x, corner.y)) << corner.x << "," << corner.y;
  }
}

TEST_F(WindowShape, ShapeRectRoundsTheCornersOfItsBox) {
  EXPECT_NE(ShapeRect(10, 5, 190, 95, 40, 40), 0);
  const Region region = WindowRegion();
  ASSERT_EQ(region.type, COMPLEXREGION);
  ExpectSameRegion(region.handle, CreateRoundRectRgn(10, 5, 190, 95, 40, 40));
  EXPECT_EQ(region.box.left, 10);
  EXPECT_EQ(region.box.top, 5);
  for (POINT inside : {POINT{100, 5}, POINT{10, 50}, POINT{187, 50}, POINT{100, 92},
                       POINT{100, 50}}) {
    EXPECT_TRUE(region.Holds(inside.x, inside.y)) << inside.x << "," << inside.y;
  }
  for (POINT outside : {POINT{10, 5}, POINT{188, 5}, POINT{10, 93}, POINT{188, 93},
                        POINT{5, 50}, POINT{100, 2}, POINT{195, 50}}) {
    EXPECT_FALSE(region.Holds(outside.x, outside.y)) << outside.x << "," << outside.y;
  }
}

TEST_F(WindowShape, AHandleOfNoWindowGivesZero) {
  form_->SetLong(L"hwnd", 0);
  EXPECT_EQ(ShapeOval(0, 0, kWidth, kHeight), 0);
  EXPECT_EQ(WindowRegion().type, ERROR) << "the window keeps no region";
}

TEST_F(WindowShape, AFormWithoutHwndOrNoFormRaises) {
  TestObject* label = new TestObject();
  label->SetLong(L"Caption", 1);
  const Variant noHwnd = Object(label);
  const Variant nothing = Variant::Nothing();
  const Variant zero = Variant::Long(0);
  const Variant size = Variant::Long(100);
  EXPECT_EQ(Raised(Invoke(L"ShapeOval", {&noHwnd, &zero, &zero, &size, &size})),
            RunTimeError(438));
  EXPECT_EQ(Raised(Invoke(L"ShapeRect", {&nothing, &zero, &zero, &size, &size, &zero, &zero})),
            RunTimeError(91));
  EXPECT_EQ(WindowRegion().type, ERROR);
  label->Release();
  EXPECT_EQ(label->references(), 1u) << "the control keeps no reference";
}

}  // namespace
}  // namespace pelikar::com_tests
