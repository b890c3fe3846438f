// The glyph fonts as Windows sees them: each registers with AddFontResourceA (Nivo2
// by its full path, Nivo_Ir relative to the current directory), is enumerated as a
// TrueType symbol font and selected by its face name alone, as a host's field asks
// for it, and a code page's bytes reach the font's own glyph for every code, as ANSI
// text and as the Unicode text the ANSI code page decodes them to. (That the glyphs
// draw is the screenshot of Pelikar Pad's fields.)
//   pelikar_glyph_font_tests [GOOGLETEST OPTIONS] PATH\nivo2.ttf PATH\nivo_ir.ttf
// PELIKAR_ANSI_CODE_PAGE, when set, is the ANSI code page the run must have.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

std::string paths[2];

int CALLBACK CollectCharset(const LOGFONTA* logFont, const TEXTMETRICA*, DWORD type, LPARAM found) {
  if (type & TRUETYPE_FONTTYPE) reinterpret_cast<std::set<int>*>(found)->insert(logFont->lfCharSet);
  return 1;
}

TEST(GlyphFonts, RegisterAndShowEveryCodeWithItsOwnGlyph) {
  if (const char* codePage = std::getenv("PELIKAR_ANSI_CODE_PAGE")) {
    ASSERT_EQ(GetACP(), static_cast<UINT>(std::atoi(codePage)));
  }
  // The printable codes, 32-126 and 128-255, have glyphs 1-223 in code order.
  std::string codes;
  for (int code = 32; code < 256; ++code) {
    if (code != 127) codes.push_back(static_cast<char>(code));
  }
  const int count = static_cast<int>(codes.size());
  std::wstring wide(codes.size(), L'\0');
  ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, codes.data(), count, wide.data(), count), count);
  const char* faces[] = {"Nivo2", "Nivo_Ir"};
  for (int font = 0; font < 2; ++font) {
    SCOPED_TRACE(faces[font]);
    std::string registered = paths[font];
    if (font == 1) {
      const std::size_t slash = registered.find_last_of('\\');
      SetCurrentDirectoryA(registered.substr(0, slash).c_str());
      registered = "." + registered.substr(slash);
    }
    ASSERT_GT(AddFontResourceA(registered.c_str()), 0) << registered;
    LOGFONTA query{};
    query.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(query.lfFaceName, faces[font], LF_FACESIZE);
    std::set<int> charsets;
    const HDC dc = CreateCompatibleDC(nullptr);
    EnumFontFamiliesExA(dc, &query, CollectCharset, reinterpret_cast<LPARAM>(&charsets), 0);
    EXPECT_EQ(charsets, std::set<int>{SYMBOL_CHARSET});
    const HFONT handle = CreateFontA(-32, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                     OUT_TT_ONLY_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                     DEFAULT_PITCH, faces[font]);
    const HGDIOBJ old = SelectObject(dc, handle);
    char face[LF_FACESIZE] = {};
    GetTextFaceA(dc, LF_FACESIZE, face);
    EXPECT_STREQ(face, faces[font]);
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
    DeleteObject(handle);
    DeleteDC(dc);
    RemoveFontResourceA(registered.c_str());
  }
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (argc != 3) {
    std::fputs("usage: pelikar_glyph_font_tests [GOOGLETEST OPTIONS] PATH\\nivo2.ttf PATH\\nivo_ir.ttf\n", stderr);
    return 2;
  }
  paths[0] = argv[1];
  paths[1] = argv[2];
  return RUN_ALL_TESTS();
}
