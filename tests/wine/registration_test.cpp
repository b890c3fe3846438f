// DllRegisterServer writes every key a container and a script client look for, as
// often as it is called; DllUnregisterServer removes them all, after which the control
// cannot be created.
#include <windows.h>
#include <ocidl.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dispatch_client.h"

namespace pelikar::com_tests {
namespace {

bool KeyExists(const std::wstring& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(handle);
  return true;
}

// The value in lower case (paths compare without regard to case, like the file system).
std::wstring ReadValue(const std::wstring& key, const wchar_t* name) {
  wchar_t data[1024] = L"(none)";
  DWORD size = sizeof data;
  RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, data, &size);
  return CharLowerW(data);
}

struct Entry {
  std::wstring key;
  const wchar_t* name;  // nullptr: the default value
  std::wstring value;   // empty: only the key must exist
};

std::vector<Entry> ExpectedEntries() {
  const std::wstring classId = GuidText(kPelikarClass), library = GuidText(kPelikarLibrary);
  const std::wstring classKey = L"CLSID\\" + classId;
  const std::wstring interfaceKey = L"Interface\\" + GuidText(kPelikarInterface);
  const std::wstring pageKey = L"CLSID\\" + GuidText(kPropertyPageClass);
  return {
      {classKey + L"\\InprocServer32", nullptr, OcxPath()},
      {classKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
      {classKey + L"\\ProgID", nullptr, L"PelikarLib.Pelikar.1"},
      {classKey + L"\\VersionIndependentProgID", nullptr, L"PelikarLib.Pelikar"},
      {classKey + L"\\TypeLib", nullptr, library},
      {classKey + L"\\Version", nullptr, PELIKAR_LIBRARY_VERSION},
      {classKey + L"\\Control", nullptr, L""},
      {classKey + L"\\Programmable", nullptr, L""},
      // SETCLIENTSITEFIRST | ACTIVATEWHENVISIBLE | INSIDEOUT | CANTLINKINSIDE |
      // RECOMPOSEONRESIZE
      {classKey + L"\\MiscStatus\\1", nullptr, L"131473"},
      {classKey + L"\\Implemented Categories\\{40FC6ED4-2438-11CF-A3DB-080036F12502}", nullptr, L""},
      {L"PelikarLib.Pelikar\\CLSID", nullptr, classId},
      {L"PelikarLib.Pelikar\\CurVer", nullptr, L"PelikarLib.Pelikar.1"},
      {L"PelikarLib.Pelikar.1\\CLSID", nullptr, classId},
      {L"TypeLib\\" + library + L"\\" PELIKAR_LIBRARY_VERSION L"\\0\\" +
           (sizeof(void*) == 8 ? L"win64" : L"win32"),
       nullptr, OcxPath()},
      {interfaceKey, nullptr, L"_Pelikar"},
      // The automation marshalers RegisterTypeLib gives dual and dispatch interfaces.
      {interfaceKey + L"\\ProxyStubClsid32", nullptr, L"{00020424-0000-0000-C000-000000000046}"},
      {interfaceKey + L"\\TypeLib", nullptr, library},
      {L"Interface\\" + GuidText(kPelikarEvents) + L"\\ProxyStubClsid32", nullptr,
       L"{00020420-0000-0000-C000-000000000046}"},
      {pageKey + L"\\InprocServer32", nullptr, OcxPath()},
      {pageKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
  };
}

HRESULT Create(REFCLSID classId) {
  IUnknown* object = nullptr;
  const HRESULT result = CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                          reinterpret_cast<void**>(&object));
  if (object != nullptr) object->Release();
  return result;
}

// Registering twice writes every key once; unregistering twice removes them all but
// the library's entry for the control of the other architecture, when that one is
// registered (both builds' tests share one prefix). The control is left registered,
// as the other tests expect it.
TEST(Registration, WritesEveryKeyAndUnregisteringRemovesThemAll) {
  OcxModule module;
  ASSERT_EQ(module.RegisterServer(), S_OK);
  ASSERT_EQ(module.RegisterServer(), S_OK);
  for (Entry& entry : ExpectedEntries()) {
    SCOPED_TRACE("HKCR\\" + Narrow(entry.key) + " " + Narrow(entry.name ? entry.name : L""));
    EXPECT_TRUE(KeyExists(entry.key));
    if (!entry.value.empty()) {
      EXPECT_EQ(ReadValue(entry.key, entry.name), CharLowerW(entry.value.data()));
    }
  }
  CLSID classId{};
  ASSERT_EQ(CLSIDFromProgID(L"PelikarLib.Pelikar", &classId), S_OK);
  EXPECT_TRUE(IsEqualCLSID(classId, kPelikarClass));
  EXPECT_EQ(Create(kPelikarClass), S_OK);
  EXPECT_EQ(Create(kPropertyPageClass), S_OK);

  const std::wstring otherLibrary = L"TypeLib\\" + GuidText(kPelikarLibrary) + L"\\" PELIKAR_LIBRARY_VERSION
                                   L"\\0\\" + (sizeof(void*) == 8 ? L"win32" : L"win64");
  const bool otherRegistered = KeyExists(otherLibrary);
  ASSERT_EQ(module.UnregisterServer(), S_OK);
  EXPECT_EQ(module.UnregisterServer(), S_OK) << "what is not registered";
  EXPECT_EQ(KeyExists(otherLibrary), otherRegistered) << "the other architecture's library entry stays";
  std::vector<std::wstring> keys = {L"CLSID\\" + GuidText(kPelikarClass),
                                    L"CLSID\\" + GuidText(kPropertyPageClass),
                                    L"PelikarLib.Pelikar", L"PelikarLib.Pelikar.1"};
  for (const Entry& entry : ExpectedEntries()) keys.push_back(entry.key);
  for (const std::wstring& key : keys) EXPECT_FALSE(KeyExists(key)) << "HKCR\\" << Narrow(key);
  EXPECT_EQ(Create(kPelikarClass), REGDB_E_CLASSNOTREG);
  EXPECT_EQ(Create(kPropertyPageClass), REGDB_E_CLASSNOTREG);
  EXPECT_EQ(module.RegisterServer(), S_OK) << "the control is left unregistered";
}

}  // namespace
}  // namespace pelikar::com_tests
