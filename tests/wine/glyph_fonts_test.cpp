// The glyph fonts as Windows sees them: each registers with AddFontResourceW, is
// selected by its face name alone, as a host's field asks for it, and a code page's
// bytes reach the font's own glyph for every code, as ANSI text and as the Unicode
// text the ANSI code page decodes them to (run under code pages 1252 and 1256). (That
// the glyphs draw is the screenshot of Pelikar Pad's fields.)
//   GlyphFonts: told the fonts' directory by PELIKAR_FONTS (a Unix path) and the ANSI
//   code page the run must have by PELIKAR_ANSI_CODE_PAGE.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace pelikar::com_tests {
namespace {

TEST(GlyphFonts, EveryCodeReachesItsOwnGlyph) {
  const char* fonts = std::getenv("PELIKAR_FONTS");
  const char* codePage = std::getenv("PELIKAR_ANSI_CODE_PAGE");
  ASSERT_TRUE(fonts != nullptr && codePage != nullptr) << "PELIKAR_FONTS or PELIKAR_ANSI_CODE_PAGE is not set";
  ASSERT_EQ(GetACP(), static_cast<UINT>(std::atoi(codePage)));
  // The printable codes, 32-126 and 128-255, have glyphs 1-223 in code order.
  std::string codes;
  for (int code = 32; code < 256; ++code) {
    if (code != 127) codes.push_back(static_cast<char>(code));
  }
  const int count = static_cast<int>(codes.size());
  std::wstring wide(codes.size(), L'\0');
  ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, codes.data(), count, wide.data(), count), count);
  for (const auto& [file, face] : {std::pair{"nivo2.ttf", "Nivo2"}, {"nivo_ir.ttf", "Nivo_Ir"}}) {
    SCOPED_TRACE(face);
    const std::string path = std::string("Z:") + fonts + "/" + file;
    ASSERT_GT(AddFontResourceA(path.c_str()), 0) << path;
    const HDC dc = CreateCompatibleDC(nullptr);
    const HFONT font = CreateFontA(-32, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_ONLY_PRECIS,
                                   CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face);
    const HGDIOBJ old = SelectObject(dc, font);
    char selected[LF_FACESIZE] = {};
    GetTextFaceA(dc, LF_FACESIZE, selected);
    EXPECT_STREQ(selected, face);
    std::vector<WORD> ansi(codes.size()), unicode(codes.size());
    GetGlyphIndicesA(dc, codes.c_str(), count, ansi.data(), GGI_MARK_NONEXISTING_GLYPHS);
    GetGlyphIndicesW(dc, wide.c_str(), count, unicode.data(), GGI_MARK_NONEXISTING_GLYPHS);
    for (int i = 0; i < count; ++i) {
      const int code = static_cast<unsigned char>(codes[i]);
      const WORD expected = static_cast<WORD>(code < 127 ? code - 31 : code - 32);
      EXPECT_EQ(ansi[i], expected) << "code " << code;
      EXPECT_EQ(unicode[i], expected) << "code " << code << " as U+" << std::hex << int(wide[i]);
    }
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    RemoveFontResourceA(path.c_str());
  }
}

}  // namespace
}  // namespace pelikar::com_tests
