#include "dialogs/win32/glyph_font.h"

#include <new>
#include <stdexcept>

namespace pelikar::dialogs::win32 {
namespace {

// A screen-compatible DC with a font selected, for measuring.
class MeasuringDc {
 public:
  explicit MeasuringDc(HFONT font) : dc_(CreateCompatibleDC(nullptr)) {
    if (dc_ == nullptr) throw std::bad_alloc();
    old_ = SelectObject(dc_, font);
  }
  MeasuringDc(const MeasuringDc&) = delete;
  MeasuringDc& operator=(const MeasuringDc&) = delete;
  ~MeasuringDc() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
  }
  HDC get() const { return dc_; }

 private:
  HDC dc_;
  HGDIOBJ old_ = nullptr;
};

}  // namespace

GlyphFont::GlyphFont(const ScreenScale& scale, double points, int weight)
    : font_(CreateFontW(scale.FontHeight(points), 0, 0, 0, weight, FALSE, FALSE, FALSE,
                        SYMBOL_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH, kGlyphFace)) {
  if (font_ == nullptr) throw std::bad_alloc();
}

GlyphFont::~GlyphFont() { DeleteObject(font_); }

GdiObject::GdiObject(HGDIOBJ object) : object_(object) {
  if (object_ == nullptr) throw std::runtime_error("out of GDI resources");
}

HFONT CreateLatinFont(const ScreenScale& scale, const wchar_t* face, double points, int weight) {
  return CreateFontW(scale.FontHeight(points), 0, 0, 0, weight, FALSE, FALSE, FALSE,
                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH, face);
}

std::vector<std::int32_t> FontMeasure::PrefixWidths(CodeView text) {
  std::vector<std::int32_t> widths(text.size() + 1, 0);
  if (text.empty()) return widths;
  MeasuringDc dc(font_);
  std::vector<INT> ends(text.size());
  SIZE whole{};
  if (!GetTextExtentExPointA(dc.get(), text.data(), static_cast<int>(text.size()), 0, nullptr,
                             ends.data(), &whole)) {
    throw std::runtime_error("the text could not be measured");
  }
  for (std::size_t i = 0; i < text.size(); ++i) widths[i + 1] = scale_.TwipsX(ends[i]);
  return widths;
}

int FontMeasure::LineHeight() {
  MeasuringDc dc(font_);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc.get(), &metrics);
  return metrics.tmHeight;
}

}  // namespace pelikar::dialogs::win32
