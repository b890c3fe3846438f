// The control's face: the fixed size it tells a container (every resize snaps back to
// it: the siting test), and the picture it draws into a container's device context.
#include "test_site.h"

namespace pelikar::container_tests {
namespace {

constexpr int kWidth = 72, kHeight = 24;  // pixels; 1905 x 635 in 0.01 mm at 96 dots per inch

using Face = ContainerTest;

// Into a 32-bit DIB: a frame of ink, paper inside, and the name written in ink.
TEST_F(Face, DrawsAFramedNameIntoABitmapOfItsSize) {
  SIZEL size{5000, 5000};
  EXPECT_EQ(As<IOleObject>(IID_IOleObject)->SetExtent(DVASPECT_CONTENT, &size), S_OK);
  IViewObject2* view = As<IViewObject2>(IID_IViewObject2);
  ASSERT_EQ(view->GetExtent(DVASPECT_CONTENT, -1, nullptr, &size), S_OK);
  EXPECT_EQ(size.cx * 10000 + size.cy, 1905 * 10000 + 635) << "whatever a container asks for";

  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  DWORD* pixels = nullptr;  // 0x00RRGGBB
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&pixels), nullptr, 0);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, bitmap);
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
