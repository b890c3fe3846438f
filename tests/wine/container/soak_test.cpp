// Long runs: controls created, sited, activated in place, saved and closed over and
// over, and keystrokes typed through IDispatch into a field. The process's memory,
// kernel handles, windows and GDI objects stay where they were after a warm-up:
// 10,000 cycles and 100,000 keystrokes. Each prints its figures.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <vector>

#include "../dialog_windows.h"
#include "test_site.h"

namespace pelikar::container_tests {
namespace {

struct Resources {
  GuiObjects gui;
  std::uintptr_t freeHandle = 0;
  std::size_t heapBytes = 0;
};

// Wine answers 0 for the process's handle count: the lowest free handle stands in
// for it, as a handle leaked in a round fills that slot for good.
std::uintptr_t LowestFreeHandle() {
  HANDLE probe = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  CloseHandle(probe);
  return reinterpret_cast<std::uintptr_t>(probe);
}

// The bytes in use in every heap of the process (Wine leaves the private-bytes
// figure at 0).
std::size_t HeapBytesInUse() {
  std::vector<HANDLE> heaps(GetProcessHeaps(0, nullptr) + 16);
  heaps.resize(GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
  std::size_t bytes = 0;
  for (HANDLE heap : heaps) {
    PROCESS_HEAP_ENTRY entry{};
    HeapLock(heap);
    while (HeapWalk(heap, &entry)) {
      if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) bytes += entry.cbData;
    }
    HeapUnlock(heap);
  }
  return bytes;
}

Resources Measure() { return {CountGuiObjects(), LowestFreeHandle(), HeapBytesInUse()}; }

// Runs a tenth of the rounds as a warm-up (caches, the heap's first growth), then
// all of them, and compares what the process holds before and after.
void ExpectFlat(const char* what, int rounds, const std::function<void()>& round) {
  for (int i = 0; i < rounds / 10; ++i) round();
  const Resources before = Measure();
  const DWORD start = GetTickCount();
  for (int i = 0; i < rounds; ++i) round();
  const Resources after = Measure();
  std::printf("%s x %d in %.1f s: windows %ld -> %ld, GDI objects %ld -> %ld, lowest free handle "
              "%#zx -> %#zx, heap bytes in use %zu -> %zu\n",
              what, rounds, (GetTickCount() - start) / 1000.0, before.gui.windows, after.gui.windows,
              before.gui.gdi, after.gui.gdi, static_cast<std::size_t>(before.freeHandle),
              static_cast<std::size_t>(after.freeHandle), before.heapBytes, after.heapBytes);
  EXPECT_EQ(after.gui, before.gui) << what;
  EXPECT_EQ(after.freeHandle, before.freeHandle) << what;
  // A leak of a few bytes a round shows; caches that fill once do not.
  EXPECT_LT(after.heapBytes, before.heapBytes + rounds) << what;
}

using Soak = ContainerTest;

TEST_F(Soak, ControlsCreatedSitedActivatedSavedAndClosed) {
  ExpectFlat("create, site, activate, save, close", 10000, [&] {
    IUnknown* control = module_.New();
    Site(true, control);
    IOleObject* object = As<IOleObject>(IID_IOleObject, control);
    EXPECT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_, 0, window_, &site_->position),
              S_OK);
    IStream* stream = nullptr;
    CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    EXPECT_EQ(As<IPersistStreamInit>(IID_IPersistStreamInit, control)->Save(stream, TRUE), S_OK);
    stream->Release();
    object->Close(OLECLOSE_NOSAVE);
    object->SetClientSite(nullptr);
    EXPECT_EQ(control->Release(), 0u);
    Take();
  });
}

TEST_F(Soak, KeystrokesThroughDispatch) {
  auto* control = As<IDispatch>(IID_IDispatch);
  ASSERT_EQ(com_tests::Put(control, L"Farsi", I2(-1)), S_OK);
  ExpectFlat("keystrokes, 100 a field", 100000 / 100, [&] {
    auto* field = (new TestObject())->Set(L"Tag", L"text")->Set(L"Text", L"")->Set(L"SelText", L"");
    for (const wchar_t* name : {L"SelStart", L"SelLength", L"Locked", L"MaxLength"}) field->Set(name, I4(0));
    for (int i = 0; i < 100; ++i) {
      const short key = "SGHL 1BAR\b"[i % 10];
      short character = key == 8 ? key : static_cast<short>(key | 0x20);
      EXPECT_EQ(Call(control, L"FarsiDown", {field, I2(key), I2(0)}).result, S_OK);
      EXPECT_EQ(Call(control, L"FarsiPress", {field, &character}).result, S_OK);
    }
    field->Release();
  });
}

}  // namespace
}  // namespace pelikar::container_tests
