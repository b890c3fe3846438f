#pragma once
// What the process holds, for the tests that repeat something many times: Wine's
// GetGuiResources, handle count and private bytes all answer 0, so windows are
// counted by enumeration, GDI objects in the handle table the process environment
// block points to (only 64-bit Wine fills it: -1 elsewhere), kernel handles by the
// lowest free one (a handle leaked in a round fills that slot for good), memory by
// walking the heaps.
#include <windows.h>
#include <winternl.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

namespace pelikar::com_tests {

struct Resources {
  long windows = 0, gdi = -1;
  std::size_t freeHandle = 0;
  std::size_t heapBytes = 0;
};

inline BOOL CALLBACK CountOwnWindow(HWND window, LPARAM count) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == GetCurrentProcessId()) ++*reinterpret_cast<long*>(count);
  return TRUE;
}

inline Resources Measure() {
  Resources held;
  EnumChildWindows(GetDesktopWindow(), CountOwnWindow, reinterpret_cast<LPARAM>(&held.windows));
#ifdef _WIN64
  // PEB.GdiSharedHandleTable: entries of 24 bytes whose type byte (at 14) is non-zero
  // for a live object.
  PROCESS_BASIC_INFORMATION basic{};
  NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof basic, nullptr);
  const auto* table = *reinterpret_cast<const std::uint8_t* const*>(
      reinterpret_cast<const std::uint8_t*>(basic.PebBaseAddress) + 0xF8);
  if (table != nullptr) held.gdi = 0;
  for (std::size_t i = 0; table != nullptr && i < 0x10000; ++i) held.gdi += table[i * 24 + 14] != 0;
#endif
  HANDLE probe = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  CloseHandle(probe);
  held.freeHandle = reinterpret_cast<std::uintptr_t>(probe);  // as a std::size_t
  std::vector<HANDLE> heaps(GetProcessHeaps(0, nullptr) + 16);
  heaps.resize(GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
  for (HANDLE heap : heaps) {
    PROCESS_HEAP_ENTRY entry{};
    HeapLock(heap);
    while (HeapWalk(heap, &entry)) held.heapBytes += (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) ? entry.cbData : 0;
    HeapUnlock(heap);
  }
  return held;
}

// Runs a tenth of the rounds as a warm-up (caches, classes, the heap's first growth),
// then all of them, prints and compares what the process holds before and after;
// GDI objects may grow by gdiCache (a cache Wine fills, then no more).
inline void ExpectFlat(const char* what, int rounds, const std::function<void()>& round, long gdiCache = 0) {
  for (int i = 0; i < rounds / 10; ++i) round();
  const Resources before = Measure();
  const DWORD start = GetTickCount();
  for (int i = 0; i < rounds; ++i) round();
  const Resources after = Measure();
  std::printf("%s x %d in %.1f s: windows %ld -> %ld, GDI objects %ld -> %ld, lowest free handle %#zx -> %#zx, heap "
              "bytes in use %zu -> %zu\n", what, rounds, (GetTickCount() - start) / 1000.0, before.windows, after.windows,
              before.gdi, after.gdi, before.freeHandle, after.freeHandle, before.heapBytes, after.heapBytes);
  EXPECT_EQ(after.windows, before.windows) << what;
  EXPECT_TRUE(after.gdi >= before.gdi && after.gdi <= before.gdi + gdiCache) << what;
  EXPECT_EQ(after.freeHandle, before.freeHandle) << what;
  // A leak of a heap block a round shows; caches that fill once (a page) do not.
  EXPECT_LT(after.heapBytes, before.heapBytes + rounds + 4096) << what;
}

}  // namespace pelikar::com_tests
