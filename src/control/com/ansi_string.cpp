#include "control/com/ansi_string.h"

#include <climits>
#include <new>

namespace pelikar::com {
namespace {

int CheckedLength(std::size_t length) {
  if (length > static_cast<std::size_t>(INT_MAX)) throw std::bad_alloc();
  return static_cast<int>(length);
}

}  // namespace

CodeString BstrToCode(BSTR text) { return WideToCode({text, SysStringLen(text)}); }

CodeString WideToCode(std::wstring_view text) {
  const int length = CheckedLength(text.size());
  if (length == 0) return {};
  // No best-fit mapping: a character outside the code page becomes the default
  // character rather than a look-alike letter.
  const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length,
                                       nullptr, 0, nullptr, nullptr);
  CodeString codes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, codes.data(), size,
                      nullptr, nullptr);
  return codes;
}

BSTR CodeToBstr(CodeView text) {
  const int length = CheckedLength(text.size());
  const int size = length == 0 ? 0 : MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
  BSTR result = SysAllocStringLen(nullptr, static_cast<UINT>(size));
  if (result == nullptr) throw std::bad_alloc();
  if (size > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), length, result, size);
  return result;
}

std::wstring BstrToWide(BSTR text) {
  if (text == nullptr) return {};
  return std::wstring(text, SysStringLen(text));
}

std::wstring Utf8ToWide(std::string_view text) {
  const int length = CheckedLength(text.size());
  if (length == 0) return {};
  const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), length, wide.data(), size);
  return wide;
}

}  // namespace pelikar::com
