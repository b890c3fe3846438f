// The control's face: a fixed size that every resize snaps back to, and the picture
// it draws into a container's device context.
#include <string>

#include "container_fixture.h"

namespace pelikar::container_tests {
namespace {

constexpr SIZEL kFaceExtent{1905, 635};  // 72 x 24 pixels at 96 dots per inch, in 0.01 mm
constexpr COLORREF kInk = RGB(0, 51, 153);
constexpr COLORREF kPaper = RGB(255, 255, 255);

class Face : public ContainerTest {
 protected:
  // The face window's rectangle in the form, as "left,top-right,bottom".
  std::string PlacedInForm() {
    HWND face = nullptr;
    EXPECT_EQ(As<IOleInPlaceObject>(IID_IOleInPlaceObject)->GetWindow(&face), S_OK);
    RECT placed{};
    GetWindowRect(face, &placed);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&placed), 2);
    return std::to_string(placed.left) + "," + std::to_string(placed.top) + "-" +
           std::to_string(placed.right) + "," + std::to_string(placed.bottom);
  }
};

TEST_F(Face, EveryResizeSnapsBackToTheFacesSize) {
  Site(false);
  IOleObject* object = As<IOleObject>(IID_IOleObject);
  SIZEL size{5000, 5000};
  EXPECT_EQ(object->SetExtent(DVASPECT_CONTENT, &size), S_OK);
  ASSERT_EQ(object->GetExtent(DVASPECT_CONTENT, &size), S_OK);
  EXPECT_EQ(size.cx, kFaceExtent.cx);
  EXPECT_EQ(size.cy, kFaceExtent.cy);
  SIZEL viewSize{};
  ASSERT_EQ(As<IViewObject2>(IID_IViewObject2)->GetExtent(DVASPECT_CONTENT, -1, nullptr,
                                                          &viewSize),
            S_OK);
  EXPECT_EQ(viewSize.cx, kFaceExtent.cx);
  EXPECT_EQ(viewSize.cy, kFaceExtent.cy);

  ASSERT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_, 0, window_,
                           &site_->position),
            S_OK);
  log_.Take();
  EXPECT_EQ(PlacedInForm(), "10,20-82,44");

  const RECT stretched{30, 40, 330, 340};
  EXPECT_EQ(As<IOleInPlaceObject>(IID_IOleInPlaceObject)->SetObjectRects(&stretched, &stretched),
            S_OK);
  EXPECT_EQ(log_.Take(), (Calls{"site.OnPosRectChange 30,40 72x24"}));
  EXPECT_EQ(PlacedInForm(), "30,40-102,64");
  const RECT same{30, 40, 102, 64};
  EXPECT_EQ(As<IOleInPlaceObject>(IID_IOleInPlaceObject)->SetObjectRects(&same, &same), S_OK);
  EXPECT_EQ(log_.Take(), Calls{}) << "the face's own size needs no change";
}

// Into a 32-bit DIB: a frame of ink, paper inside, and the name written in ink.
TEST_F(Face, DrawsAFramedNameIntoABitmap) {
  constexpr int kWidth = 72;
  constexpr int kHeight = 24;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = kWidth;
  info.bmiHeader.biHeight = -kHeight;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(bitmap, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, bitmap);

  IViewObject2* view = As<IViewObject2>(IID_IViewObject2);
  const RECTL bounds{0, 0, kWidth, kHeight};
  EXPECT_EQ(view->Draw(DVASPECT_ICON, -1, nullptr, nullptr, nullptr, dc, &bounds, nullptr,
                       nullptr, 0),
            DV_E_DVASPECT);
  EXPECT_EQ(view->Draw(DVASPECT_CONTENT, 0, nullptr, nullptr, nullptr, dc, &bounds, nullptr,
                       nullptr, 0),
            DV_E_LINDEX);
  ASSERT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, &bounds, nullptr,
                       nullptr, 0),
            S_OK);
  GdiFlush();
  const auto* pixels = static_cast<const DWORD*>(bits);
  auto colour = [&](int x, int y) {
    const DWORD p = pixels[y * kWidth + x];  // 0x00RRGGBB
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  };
  int frame = 0;
  for (int x = 0; x < kWidth; ++x) frame += (colour(x, 0) == kInk) + (colour(x, kHeight - 1) == kInk);
  for (int y = 0; y < kHeight; ++y) frame += (colour(0, y) == kInk) + (colour(kWidth - 1, y) == kInk);
  EXPECT_EQ(frame, 2 * (kWidth + kHeight));
  int paper = 0, written = 0;
  for (int y = 1; y < kHeight - 1; ++y) {
    for (int x = 1; x < kWidth - 1; ++x) {
      paper += colour(x, y) == kPaper;
      written += colour(x, y) != kPaper;
    }
  }
  EXPECT_GT(paper, written) << "mostly paper";
  EXPECT_GT(written, 30) << "the name is written";

  SelectObject(dc, previous);
  DeleteDC(dc);
  DeleteObject(bitmap);
}

}  // namespace
}  // namespace pelikar::container_tests
