#include "util/win32/system_text.h"

#include <climits>
#include <new>
#include <string>

namespace pelikar::util::win32 {
namespace {

int CheckedLength(std::size_t length) {
  if (length > static_cast<std::size_t>(INT_MAX)) throw std::bad_alloc();
  return static_cast<int>(length);
}

std::wstring ToWide(UINT codePage, std::string_view text) {
  const int length = CheckedLength(text.size());
  if (length == 0) return {};
  const int size = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), length, wide.data(), size);
  return wide;
}

std::string ToUtf8(std::wstring_view text) {
  const int length = CheckedLength(text.size());
  if (length == 0) return {};
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), length, utf8.data(), size, nullptr, nullptr);
  return utf8;
}

}  // namespace

std::wstring Utf8ToWide(std::string_view text) { return ToWide(CP_UTF8, text); }

std::string AnsiToUtf8(CodeView text) { return ToUtf8(ToWide(CP_ACP, text)); }

std::string SystemErrorDetail(DWORD error) {
  std::string detail = " (system error " + std::to_string(error);
  wchar_t* message = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
  if (length > 0 && message != nullptr) {
    std::wstring_view text(message, length);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) {
      text.remove_suffix(1);
    }
    detail += ": " + ToUtf8(text);
  }
  LocalFree(message);
  return detail + ")";
}

}  // namespace pelikar::util::win32
