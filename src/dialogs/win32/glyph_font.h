#pragma once
// The control's glyph font Nivo2 on the screen: the face its windows draw Persian
// text with, in the symbol character set, so that a code string's bytes reach the
// font's own glyphs whatever the system's ANSI code page.
#include <windows.h>

#include <vector>

#include "dialogs/dialog_services.h"
#include "dialogs/win32/screen.h"

namespace pelikar::dialogs::win32 {

inline constexpr wchar_t kGlyphFace[] = L"Nivo2";

// A font the object deletes when it goes.
class GlyphFont {
 public:
  GlyphFont(const ScreenScale& scale, double points, int weight);
  GlyphFont(const GlyphFont&) = delete;
  GlyphFont& operator=(const GlyphFont&) = delete;
  ~GlyphFont();

  HFONT handle() const { return font_; }

 private:
  HFONT font_;
};

// Code strings measured in a font, in twips.
class FontMeasure final : public TextMeasure {
 public:
  FontMeasure(HFONT font, const ScreenScale& scale) : font_(font), scale_(scale) {}
  std::vector<std::int32_t> PrefixWidths(CodeView text) override;
  // The height of a line of the font, in pixels.
  int LineHeight();

 private:
  HFONT font_;
  const ScreenScale& scale_;
};

}  // namespace pelikar::dialogs::win32
