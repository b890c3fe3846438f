// Whether GDI knows the given faces, in a program started after an install or an
// uninstall: font_faces known|unknown FACE... exits 0 when every face is as expected.
#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

int CALLBACK Found(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
  const bool expected = argc > 1 && wcscmp(argv[1], L"known") == 0;
  HDC dc = CreateCompatibleDC(nullptr);
  int wrong = 0;
  for (int i = 2; i < argc; ++i) {
    LOGFONTW font{};
    font.lfCharSet = DEFAULT_CHARSET;  // any character set: the glyph fonts are symbol fonts
    wcsncpy(font.lfFaceName, argv[i], LF_FACESIZE - 1);
    bool found = false;
    EnumFontFamiliesExW(dc, &font, Found, reinterpret_cast<LPARAM>(&found), 0);
    if (found != expected) {
      std::fwprintf(stderr, L"font_faces: GDI %ls %ls\n", found ? L"knows" : L"does not know",
                    argv[i]);
      ++wrong;
    }
  }
  DeleteDC(dc);
  return wrong == 0 && argc > 2 ? 0 : 1;
}
