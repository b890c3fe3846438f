#include <windows.h>

#include "util/win32/system_text.h"
#include "util/win32/win32_services.h"

namespace pelikar::util::win32 {
namespace {

// The caller gives no title; the box carries the control's name.
constexpr wchar_t kTitle[] = L"Pelikar";

}  // namespace

// Owned by the host's active window, so the host waits for the answer.
void Win32MessageBoxes::Show(std::string_view text) {
  MessageBoxW(GetActiveWindow(), Utf8ToWide(text).c_str(), kTitle, MB_OK);
}

void Win32MessageBoxes::ShowInformation(std::string_view text, std::string_view title) {
  MessageBoxW(GetActiveWindow(), Utf8ToWide(text).c_str(), Utf8ToWide(title).c_str(),
              MB_OK | MB_ICONINFORMATION);
}

}  // namespace pelikar::util::win32
