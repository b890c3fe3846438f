// Shows one line of Nivo text and one of Ir text, each drawn with its glyph font as
// ANSI text (as a host's field draws it), in a window for a screenshot taken from
// outside.
//   pelikar_font_sample PATH\nivo2.ttf PATH\nivo_ir.ttf SIGNAL_DIR
// Once the window is drawn it writes SIGNAL_DIR\ready with the screen rectangles
// ("name x y width height" lines) of the window and of the two lines; it ends when
// SIGNAL_DIR\done appears. Exits non-zero when a font is not found by its face, or
// when no done signal comes within a minute.
#include <windows.h>

#include <cstdio>
#include <string>

#include "encoding/operations.h"

namespace {

// "Salam bar shoma" (greetings to you) as typed on a Latin keyboard.
constexpr const char* kTypedSample = "~sghl fv alh~";
constexpr int kTextHeight = 40;
constexpr int kMargin = 16;
constexpr int kLabelWidth = 96;
constexpr int kLineGap = 24;
constexpr UINT_PTR kPollTimer = 1;
constexpr int kPollMilliseconds = 100;
constexpr int kPollsBeforeGivingUp = 600;

struct SampleLine {
  const char* label;
  const char* face;
  std::string codes;  // the line in the code page's bytes
  HFONT font;
  RECT onScreen;      // filled when painted
};

SampleLine lines[2];
std::string signalDir;
bool readyWritten = false;
int polls = 0;
int exitCode = 0;

HFONT GlyphFont(const char* face) {
  return CreateFontA(-kTextHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_ONLY_PRECIS,
                     CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, face);
}

// Windows substitutes another font for a face it does not know: that is a failure.
bool SelectsItsFace(HFONT font, const char* face) {
  const HDC dc = CreateCompatibleDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, font);
  char found[LF_FACESIZE] = {};
  GetTextFaceA(dc, LF_FACESIZE, found);
  SelectObject(dc, old);
  DeleteDC(dc);
  if (lstrcmpA(found, face) == 0) return true;
  std::fprintf(stderr, "font_sample: asked for %s, got %s\n", face, found);
  return false;
}

RECT ScreenRect(HWND window, int x, int y, SIZE size) {
  POINT topLeft = {x, y};
  ClientToScreen(window, &topLeft);
  return {topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy};
}

void Paint(HWND window) {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(window, &paint);
  SetBkMode(dc, TRANSPARENT);
  int y = kMargin;
  for (SampleLine& line : lines) {
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    TextOutA(dc, kMargin, y + kTextHeight / 3, line.label, lstrlenA(line.label));
    SelectObject(dc, line.font);
    const int length = static_cast<int>(line.codes.size());
    SIZE size;
    GetTextExtentPoint32A(dc, line.codes.c_str(), length, &size);
    TextOutA(dc, kMargin + kLabelWidth, y, line.codes.c_str(), length);
    line.onScreen = ScreenRect(window, kMargin + kLabelWidth, y, size);
    y += size.cy + kLineGap;
  }
  EndPaint(window, &paint);
}

void WriteRect(std::FILE* file, const char* name, const RECT& r) {
  std::fprintf(file, "%s %ld %ld %ld %ld\n", name, r.left, r.top, r.right - r.left, r.bottom - r.top);
}

// Written after a poll interval has passed since the first paint, so that the
// window has reached the X server.
void WriteReady(HWND window) {
  RECT frame;
  GetWindowRect(window, &frame);
  const std::string path = signalDir + "\\ready";
  const std::string partial = path + ".part";
  std::FILE* file = std::fopen(partial.c_str(), "w");
  if (!file) return;
  WriteRect(file, "window", frame);
  WriteRect(file, "nivo", lines[0].onScreen);
  WriteRect(file, "ir", lines[1].onScreen);
  std::fclose(file);
  MoveFileA(partial.c_str(), path.c_str());
  readyWritten = true;
}

void Poll(HWND window) {
  if (!readyWritten) WriteReady(window);
  if (GetFileAttributesA((signalDir + "\\done").c_str()) != INVALID_FILE_ATTRIBUTES) {
    DestroyWindow(window);
  } else if (++polls > kPollsBeforeGivingUp) {
    std::fputs("font_sample: no done signal came\n", stderr);
    exitCode = 1;
    DestroyWindow(window);
  }
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_TIMER:
      Poll(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(exitCode);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

HWND CreateSampleWindow() {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
  windowClass.lpszClassName = "PelikarFontSample";
  RegisterClassA(&windowClass);
  RECT frame = {0, 0, 600, 2 * kMargin + 2 * kTextHeight + kLineGap + 24};
  const DWORD style = WS_OVERLAPPED | WS_CAPTION;
  AdjustWindowRect(&frame, style, FALSE);
  return CreateWindowA("PelikarFontSample", "Pelikar glyph fonts", style | WS_VISIBLE, 0, 0,
                       frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                       windowClass.hInstance, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fputs("usage: pelikar_font_sample PATH\\nivo2.ttf PATH\\nivo_ir.ttf SIGNAL_DIR\n", stderr);
    return 2;
  }
  signalDir = argv[3];
  lines[0] = {"Nivo2", "Nivo2", pelikar::encoding::En_Ir_To_nivo(kTypedSample), nullptr, {}};
  lines[1] = {"Nivo_Ir", "Nivo_Ir", pelikar::encoding::En_To_Ir(kTypedSample), nullptr, {}};
  for (int i = 0; i < 2; ++i) {
    if (AddFontResourceA(argv[1 + i]) == 0) {
      std::fprintf(stderr, "font_sample: AddFontResourceA failed for %s\n", argv[1 + i]);
      return 1;
    }
    lines[i].font = GlyphFont(lines[i].face);
    if (!SelectsItsFace(lines[i].font, lines[i].face)) return 1;
  }
  const HWND window = CreateSampleWindow();
  if (!window) {
    std::fputs("font_sample: no window\n", stderr);
    return 1;
  }
  SetTimer(window, kPollTimer, kPollMilliseconds, nullptr);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return static_cast<int>(message.wParam);
}
