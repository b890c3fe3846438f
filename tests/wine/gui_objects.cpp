#include "gui_objects.h"

#include <winternl.h>

#include <cstdint>

namespace pelikar::com_tests {
namespace {

BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<long*>(count);
  return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM count) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) return TRUE;
  ++*reinterpret_cast<long*>(count);
  EnumChildWindows(window, CountChild, count);
  return TRUE;
}

long CountGdiObjects() {
#ifdef _WIN64
  // PEB.GdiSharedHandleTable; entries of 24 bytes whose type byte (at 14) is non-zero
  // for a live object.
  constexpr std::size_t kTableOffset = 0xF8;
  constexpr std::size_t kEntrySize = 24;
  constexpr std::size_t kTypeOffset = 14;
  constexpr std::size_t kEntries = 0x10000;
  PROCESS_BASIC_INFORMATION basic{};
  if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &basic,
                                sizeof basic, nullptr) != 0) {
    return -1;
  }
  const auto* peb = reinterpret_cast<const std::uint8_t*>(basic.PebBaseAddress);
  const auto* table = *reinterpret_cast<const std::uint8_t* const*>(peb + kTableOffset);
  if (table == nullptr) return -1;
  long count = 0;
  for (std::size_t i = 0; i < kEntries; ++i) count += table[i * kEntrySize + kTypeOffset] != 0;
  return count;
#else
  return -1;
#endif
}

}  // namespace

GuiObjects CountGuiObjects() {
  GuiObjects counts;
  EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&counts.windows));
  counts.gdi = CountGdiObjects();
  return counts;
}

}  // namespace pelikar::com_tests
