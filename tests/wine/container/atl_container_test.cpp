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
using com_tests::CallResult;
using com_tests::Variant;

template <class Function>
Function Entry(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

TEST(AtlContainer, HostsTheControlAndLetsItGo) {
  HMODULE atl = LoadLibraryW(L"atl.dll");
  ASSERT_NE(atl, nullptr);
  auto init = Entry<BOOL(WINAPI*)()>(atl, "AtlAxWinInit");
  auto getControl = Entry<HRESULT(WINAPI*)(HWND, IUnknown**)>(atl, "AtlAxGetControl");
  ASSERT_NE(init, nullptr);
  ASSERT_NE(getControl, nullptr);
  ASSERT_TRUE(init());

  HWND form = CreateWindowExW(0, L"STATIC", L"Form1", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300,
                              nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(form, nullptr);
  // The window's text names the control to create.
  HWND host = CreateWindowExW(0, L"AtlAxWin", L"PelikarLib.Pelikar", WS_CHILD | WS_VISIBLE, 10,
                              10, 200, 100, form, nullptr, nullptr, nullptr);
  ASSERT_NE(host, nullptr);
  IUnknown* control = nullptr;
  ASSERT_EQ(getControl(host, &control), S_OK);
  ASSERT_NE(control, nullptr);

  IDispatch* dispatch = nullptr;
  ASSERT_EQ(control->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)), S_OK);
  const Variant attribute = Variant::Short(1);
  CallResult reserved = Call(dispatch, L"Reserved", {&attribute});
  EXPECT_EQ(reserved.result, S_OK);
  EXPECT_EQ(reserved.value.text(), L"many powerful capability in this method in future");
  CallResult codePage = Call(dispatch, L"CodePage", {}, DISPATCH_PROPERTYGET);
  EXPECT_EQ(codePage.result, S_OK) << "initialized as a new control";
  EXPECT_EQ(V_VT(codePage.value.get()), VT_I2);
  dispatch->Release();

  HWND face = FindWindowExW(host, nullptr, L"PelikarFace", nullptr);
  ASSERT_NE(face, nullptr) << "active in place in the host window";
  RECT client{};
  GetClientRect(face, &client);
  EXPECT_EQ(client.right, 72);
  EXPECT_EQ(client.bottom, 24);
  control->Release();

  DestroyWindow(host);
  DestroyWindow(form);
  HMODULE ocx = GetModuleHandleW(L"Pelikar.ocx");
  ASSERT_NE(ocx, nullptr);
  auto canUnloadNow = Entry<HRESULT(STDAPICALLTYPE*)()>(ocx, "DllCanUnloadNow");
  ASSERT_NE(canUnloadNow, nullptr);
  EXPECT_EQ(canUnloadNow(), S_OK) << "the container let go of everything";
  FreeLibrary(atl);
}

}  // namespace
}  // namespace pelikar::container_tests
