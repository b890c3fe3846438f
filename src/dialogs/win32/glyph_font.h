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

// A GDI object deleted when its holder goes. Throws when given none (the platform
// could not make it).
class GdiObject {
 public:
  explicit GdiObject(HGDIOBJ object);
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  ~GdiObject() { DeleteObject(object_); }
  template <class Handle>
  Handle as() const {
    return static_cast<Handle>(object_);
  }

 private:
  HGDIOBJ object_;
};

// A font of a Latin face, at a point size of the screen.
HFONT CreateLatinFont(const ScreenScale& scale, const wchar_t* face, double points,
                      int weight = FW_NORMAL);

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
