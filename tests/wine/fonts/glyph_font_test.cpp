// The glyph fonts as Windows sees them: each registers with AddFontResourceA, its
// face is found by name in the symbol character set, and a code page's bytes reach
// the font's own glyph for every code, as ANSI text and as the Unicode text the ANSI
// code page decodes them to.
//   pelikar_glyph_font_tests [GOOGLETEST OPTIONS] PATH\nivo2.ttf PATH\nivo_ir.ttf
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

struct GlyphFont {
  const char* face;
  std::string path;
  // How AddFontResourceA is given the file: its full path, or a path relative to
  // the current directory (set to the file's directory).
  bool relative;
  std::string registeredAs;
  int added = -1;  // AddFontResourceA's count of fonts added; -1 before the call
};

GlyphFont fonts[] = {{"Nivo2", "", false, ""}, {"Nivo_Ir", "", true, ""}};

// Registers the font once per process.
int Register(GlyphFont& font) {
  if (font.added < 0) {
    const std::size_t slash = font.path.find_last_of('\\');
    font.registeredAs = font.path;
    if (font.relative && slash != std::string::npos) {
      SetCurrentDirectoryA(font.path.substr(0, slash).c_str());
      font.registeredAs = ".\\" + font.path.substr(slash + 1);
    }
    font.added = AddFontResourceA(font.registeredAs.c_str());
  }
  return font.added;
}

// The printable codes, 32-126 and 128-255, have glyphs 1-223 in code order.
std::vector<int> PrintableCodes() {
  std::vector<int> codes;
  for (int code = 32; code < 256; ++code) {
    if (code != 127) codes.push_back(code);
  }
  return codes;
}

int ExpectedGlyph(int code) { return code < 127 ? code - 31 : code - 32; }

// A screen-compatible DC with the face selected at 32 pixels, asked for by name
// alone, as a host's field asks for its font.
class FontDc {
 public:
  explicit FontDc(const char* face) : dc_(CreateCompatibleDC(nullptr)) {
    font_ = CreateFontA(-32, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_ONLY_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face);
    old_ = SelectObject(dc_, font_);
  }
  ~FontDc() {
    SelectObject(dc_, old_);
    DeleteObject(font_);
    DeleteDC(dc_);
  }
  FontDc(const FontDc&) = delete;
  FontDc& operator=(const FontDc&) = delete;
  HDC dc() const { return dc_; }

 private:
  HDC dc_;
  HFONT font_;
  HGDIOBJ old_;
};

class GlyphFontTest : public testing::TestWithParam<int> {
 protected:
  GlyphFont& font() const { return fonts[GetParam()]; }
  void SetUp() override { ASSERT_GT(Register(font()), 0) << "AddFontResourceA failed for " << font().path; }
};

int CALLBACK CollectCharset(const LOGFONTA* logFont, const TEXTMETRICA*, DWORD fontType, LPARAM found) {
  if (fontType & TRUETYPE_FONTTYPE) reinterpret_cast<std::set<int>*>(found)->insert(logFont->lfCharSet);
  return 1;
}

TEST_P(GlyphFontTest, IsEnumeratedAsATrueTypeSymbolFont) {
  LOGFONTA query = {};
  query.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(query.lfFaceName, font().face, LF_FACESIZE);
  std::set<int> charsets;
  const HDC screen = GetDC(nullptr);
  EnumFontFamiliesExA(screen, &query, CollectCharset, reinterpret_cast<LPARAM>(&charsets), 0);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(charsets, std::set<int>{SYMBOL_CHARSET});
}

TEST_P(GlyphFontTest, IsSelectedByItsFaceName) {
  FontDc dc(font().face);
  char face[LF_FACESIZE] = {};
  GetTextFaceA(dc.dc(), LF_FACESIZE, face);
  EXPECT_STREQ(face, font().face);
  EXPECT_EQ(GetTextCharset(dc.dc()), SYMBOL_CHARSET);
}

TEST_P(GlyphFontTest, EveryPrintableCodeReachesItsOwnGlyph) {
  FontDc dc(font().face);
  const std::vector<int> codes = PrintableCodes();
  std::string text;
  for (int code : codes) text.push_back(static_cast<char>(code));
  std::vector<WORD> glyphs(text.size());
  ASSERT_EQ(GetGlyphIndicesA(dc.dc(), text.c_str(), static_cast<int>(text.size()), glyphs.data(),
                             GGI_MARK_NONEXISTING_GLYPHS),
            text.size());
  for (std::size_t i = 0; i < codes.size(); ++i) {
    EXPECT_EQ(glyphs[i], ExpectedGlyph(codes[i])) << "code " << codes[i];
  }
}

// A field that keeps its text in Unicode (as Wine's edit control does) holds each
// code as the character that the ANSI code page decodes it to.
TEST_P(GlyphFontTest, CodesAsTheAnsiCodePageDecodesThemReachTheirGlyphs) {
  FontDc dc(font().face);
  const std::vector<int> codes = PrintableCodes();
  const int count = static_cast<int>(codes.size());
  std::string text;
  for (int code : codes) text.push_back(static_cast<char>(code));
  std::wstring wide(codes.size(), L'\0');
  ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, text.data(), count, wide.data(), count), count);
  std::vector<WORD> glyphs(codes.size());
  ASSERT_EQ(GetGlyphIndicesW(dc.dc(), wide.c_str(), count, glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS),
            static_cast<DWORD>(count));
  for (std::size_t i = 0; i < codes.size(); ++i) {
    EXPECT_EQ(glyphs[i], ExpectedGlyph(codes[i]))
        << "code " << codes[i] << ", U+" << std::hex << static_cast<unsigned>(wide[i]) << " in code page " << std::dec
        << GetACP();
  }
}

TEST(AnsiCodePage, IsTheOneTheRunAsksFor) {
  const char* expected = std::getenv("PELIKAR_ANSI_CODE_PAGE");
  if (!expected) GTEST_SKIP() << "PELIKAR_ANSI_CODE_PAGE not set";
  EXPECT_EQ(GetACP(), static_cast<UINT>(std::atoi(expected)));
}

TEST_P(GlyphFontTest, PersianCodesDrawInk) {
  FontDc dc(font().face);
  ABC widths[128];
  ASSERT_TRUE(GetCharABCWidthsA(dc.dc(), 128, 255, widths));
  // Code 255 is no letter and shows a blank.
  for (int code = 128; code < 255; ++code) {
    const ABC& abc = widths[code - 128];
    EXPECT_GT(abc.abcB, 1u) << "code " << code << " has no ink";
    EXPECT_GT(abc.abcA + static_cast<int>(abc.abcB) + abc.abcC, 0) << "code " << code << " has no advance";
  }
  const ABC& blank = widths[255 - 128];
  EXPECT_GT(blank.abcA + static_cast<int>(blank.abcB) + blank.abcC, 0) << "code 255 takes room";
}

INSTANTIATE_TEST_SUITE_P(Fonts, GlyphFontTest, testing::Values(0, 1),
                         [](const testing::TestParamInfo<int>& info) { return std::string(fonts[info.param].face); });

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (argc != 3) {
    std::fputs("usage: pelikar_glyph_font_tests [GOOGLETEST OPTIONS] PATH\\nivo2.ttf PATH\\nivo_ir.ttf\n", stderr);
    return 2;
  }
  fonts[0].path = argv[1];
  fonts[1].path = argv[2];
  const int result = RUN_ALL_TESTS();
  for (const GlyphFont& font : fonts) {
    if (font.added > 0) RemoveFontResourceA(font.registeredAs.c_str());
  }
  return result;
}
