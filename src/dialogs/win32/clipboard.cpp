#include "dialogs/win32/clipboard.h"

#include <cstring>
#include <string>

#include "encoding/unicode_view.h"

namespace pelikar::dialogs::win32 {
namespace {

constexpr int kOpenAttempts = 10;
constexpr DWORD kRetryMs = 20;

std::wstring UnicodeView(CodeView nivoText) {
  const std::string utf8 = encoding::RenderUtf8(nivoText, encoding::CodePage::Nivo);
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                         nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
  return wide;
}

// Hands bytes (a terminating NUL added) to the clipboard, which owns them once taken.
bool SetData(UINT format, const void* bytes, std::size_t size, std::size_t nul) {
  const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size + nul);
  if (memory == nullptr) return false;
  void* target = GlobalLock(memory);
  if (target == nullptr) {
    GlobalFree(memory);
    return false;
  }
  std::memcpy(target, bytes, size);
  GlobalUnlock(memory);
  if (SetClipboardData(format, memory) == nullptr) {
    GlobalFree(memory);
    return false;
  }
  return true;
}

// Another program may hold the clipboard for a moment.
bool Open(HWND owner) {
  for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
    if (OpenClipboard(owner)) return true;
    Sleep(kRetryMs);
  }
  return false;
}

}  // namespace

bool PutOnClipboard(HWND owner, CodeView nivoText) {
  const std::wstring unicode = UnicodeView(nivoText);
  // The ANSI bytes stop at a NUL, as every reader of CF_TEXT does.
  const CodeView ansi = nivoText.substr(0, nivoText.find('\0'));
  if (!Open(owner)) return false;
  const bool put = EmptyClipboard() && SetData(CF_TEXT, ansi.data(), ansi.size(), 1) &&
                   SetData(CF_UNICODETEXT, unicode.data(), unicode.size() * sizeof(wchar_t),
                           sizeof(wchar_t));
  CloseClipboard();
  return put;
}

}  // namespace pelikar::dialogs::win32
