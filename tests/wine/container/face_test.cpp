// The control's face: a fixed size that every resize snaps back to, and the picture
// it draws into a container's device context.
#include <string>

#include "test_site.h"

namespace pelikar::container_tests {
namespace {

constexpr int kWidth = 72, kHeight = 24;  // pixels; 1905 x 635 in 0.01 mm at 96 dots per inch

class Face : public ContainerTest {
 protected:
  // The face window's rectangle in the form, as "left,top-right,bottom".
  std::string PlacedInForm() {
    HWND face = nullptr;
    RECT placed{};
    As<IOleInPlaceObject>(IID_IOleInPlaceObject)->GetWindow(&face);
    GetWindowRect(face, &placed);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&placed), 2);
    return std::to_string(placed.left) + "," + std::to_string(placed.top) + "-" +
           std::to_string(placed.right) + "," + std::to_string(placed.bottom);
  }
};

TEST_F(Face, EveryResizeSnapsBackToTheFacesSize) {
  Site(false);
  IOleObject* object = As<IOleObject>(IID_IOleObject);
  SIZEL size{5000, 5000}, viewSize{};
  EXPECT_EQ(object->SetExtent(DVASPECT_CONTENT, &size), S_OK);
  ASSERT_EQ(object->GetExtent(DVASPECT_CONTENT, &size), S_OK);
  ASSERT_EQ(As<IViewObject2>(IID_IViewObject2)->GetExtent(DVASPECT_CONTENT, -1, nullptr, &viewSize), S_OK);
  EXPECT_EQ(std::to_string(size.cx) + "x" + std::to_string(size.cy) + " " +
                std::to_string(viewSize.cx) + "x" + std::to_string(viewSize.cy), "1905x635 1905x635");

  ASSERT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_, 0, window_, &site_->position), S_OK);
  log_.Take();
  EXPECT_EQ(PlacedInForm(), "10,20-82,44");
  IOleInPlaceObject* inPlace = As<IOleInPlaceObject>(IID_IOleInPlaceObject);
  const RECT stretched{30, 40, 330, 340}, same{30, 40, 102, 64};
  EXPECT_EQ(inPlace->SetObjectRects(&stretched, &stretched), S_OK);
  EXPECT_EQ(log_.Take(), (Calls{"site.OnPosRectChange 30,40 72x24"}));
  EXPECT_EQ(PlacedInForm(), "30,40-102,64");
  EXPECT_EQ(inPlace->SetObjectRects(&same, &same), S_OK);
  EXPECT_EQ(log_.Take(), Calls{}) << "the face's own size needs no change";
}

// Into a 32-bit DIB: a frame of ink, paper inside, and the name written in ink.
TEST_F(Face, DrawsAFramedNameIntoABitmap) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  DWORD* pixels = nullptr;  // 0x00RRGGBB
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&pixels), nullptr, 0);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, bitmap);
  IViewObject2* view = As<IViewObject2>(IID_IViewObject2);
  const RECTL bounds{0, 0, kWidth, kHeight};
  auto draw = [&](DWORD aspect, LONG index) {
    return view->Draw(aspect, index, nullptr, nullptr, nullptr, dc, &bounds, nullptr, nullptr, 0);
  };
  EXPECT_EQ(draw(DVASPECT_ICON, -1), DV_E_DVASPECT);
  EXPECT_EQ(draw(DVASPECT_CONTENT, 0), DV_E_LINDEX);
  ASSERT_EQ(draw(DVASPECT_CONTENT, -1), S_OK);
  GdiFlush();
  int frame = 0, paper = 0, written = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const DWORD colour = pixels[y * kWidth + x] & 0xFFFFFF;
      if (x == 0 || y == 0 || x == kWidth - 1 || y == kHeight - 1) {
        frame += colour == 0x003399;  // the ink, RGB(0, 51, 153)
      } else {
        (colour == 0xFFFFFF ? paper : written) += 1;
      }
    }
  }
  EXPECT_EQ(frame, 2 * (kWidth + kHeight) - 4);
  EXPECT_GT(paper, written) << "mostly paper";
  EXPECT_GT(written, 30) << "the name is written";
  SelectObject(dc, previous);
  DeleteDC(dc);
  DeleteObject(bitmap);
}

}  // namespace
}  // namespace pelikar::container_tests
