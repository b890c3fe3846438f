// Wine's ATL container (atl.dll) hosts the registered control in a window of its
// AtlAxWin class: it creates, sites, initializes and activates the control without
// ambient properties, and lets it go with the window. Headless, with the null
// graphics driver.
#include <windows.h>

#include <gtest/gtest.h>

#include "../dispatch_client.h"

namespace pelikar::container_tests {
namespace {

using com_tests::Call;
using com_tests::Variant;

template <class Function>
Function Entry(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

TEST(AtlContainer, HostsTheControlAndLetsItGo) {
  HMODULE atl = LoadLibraryW(L"atl.dll");
  ASSERT_NE(atl, nullptr);
  auto getControl = Entry<HRESULT(WINAPI*)(HWND, IUnknown**)>(atl, "AtlAxGetControl");
  ASSERT_TRUE(Entry<BOOL(WINAPI*)()>(atl, "AtlAxWinInit")());
  HWND form = CreateWindowExW(0, L"STATIC", L"Form1", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300,
                              nullptr, nullptr, nullptr, nullptr);
  // The window's text names the control to create.
  HWND host = CreateWindowExW(0, L"AtlAxWin", L"PelikarLib.Pelikar", WS_CHILD | WS_VISIBLE, 10,
                              10, 200, 100, form, nullptr, nullptr, nullptr);
  IUnknown* unknown = nullptr;
  IDispatch* control = nullptr;
  ASSERT_EQ(getControl(host, &unknown), S_OK);
  ASSERT_EQ(unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&control)), S_OK);
  unknown->Release();
  const Variant typed = Variant::Text(L"~sghl~");
  const com_tests::CallResult nivo = Call(control, L"En_Ir_To_nivo", {&typed});
  EXPECT_EQ(Call(control, L"Nivo_To_En", {&nivo.value}).value.text(), L"~sghl~");
  const com_tests::CallResult codePage = Call(control, L"CodePage", {}, DISPATCH_PROPERTYGET);
  EXPECT_EQ(V_VT(codePage.value.get()), VT_I2) << "initialized as a new control";

  HWND face = FindWindowExW(host, nullptr, L"PelikarFace", nullptr);
  ASSERT_NE(face, nullptr) << "active in place in the host window";
  RECT client{};
  GetClientRect(face, &client);
  EXPECT_EQ(client.right * 100 + client.bottom, 72 * 100 + 24);
  control->Release();

  DestroyWindow(host);
  DestroyWindow(form);
  HMODULE ocx = GetModuleHandleW(L"Pelikar.ocx");
  ASSERT_NE(ocx, nullptr);
  EXPECT_EQ(Entry<HRESULT(STDAPICALLTYPE*)()>(ocx, "DllCanUnloadNow")(), S_OK)
      << "the container let go of everything";
  FreeLibrary(atl);
}

}  // namespace
}  // namespace pelikar::container_tests
