// DllRegisterServer writes every key a container and a script client look for;
// DllUnregisterServer removes them all, after which the control cannot be created.
// The suite leaves the control registered, as the other tests expect it.
#include <windows.h>
#include <oleauto.h>
#include <ocidl.h>

#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ocx_module.h"

namespace pelikar::com_tests {
namespace {

// The automation marshalers RegisterTypeLib assigns to dual and dispatch interfaces.
constexpr wchar_t kUniversalMarshaler[] = L"{00020424-0000-0000-C000-000000000046}";
constexpr wchar_t kDispatchMarshaler[] = L"{00020420-0000-0000-C000-000000000046}";
constexpr wchar_t kControlCategory[] = L"{40FC6ED4-2438-11CF-A3DB-080036F12502}";

bool KeyExists(const std::wstring& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(handle);
  return true;
}

std::optional<std::wstring> ReadValue(const std::wstring& key, const wchar_t* name) {
  wchar_t data[1024];
  DWORD size = sizeof data;
  if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, data, &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::wstring(data);
}

std::wstring Lower(std::wstring text) {
  CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

struct Entry {
  std::wstring key;
  const wchar_t* name;                // nullptr: the default value
  std::optional<std::wstring> value;  // nullopt: only the key must exist
};

std::vector<Entry> ExpectedEntries() {
  const std::wstring classKey = L"CLSID\\" + GuidText(kPelikarClass);
  const std::wstring classId = GuidText(kPelikarClass);
  const std::wstring library = GuidText(kPelikarLibrary);
  const std::wstring platform = sizeof(void*) == 8 ? L"win64" : L"win32";
  const std::wstring interfaceKey = L"Interface\\" + GuidText(kPelikarInterface);
  const std::wstring eventsKey = L"Interface\\" + GuidText(kPelikarEvents);
  const std::wstring pageKey = L"CLSID\\" + GuidText(kPropertyPageClass);
  return {
      {classKey + L"\\InprocServer32", nullptr, OcxPath()},
      {classKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
      {classKey + L"\\ProgID", nullptr, L"PelikarLib.Pelikar.1"},
      {classKey + L"\\VersionIndependentProgID", nullptr, L"PelikarLib.Pelikar"},
      {classKey + L"\\TypeLib", nullptr, library},
      {classKey + L"\\Version", nullptr, PELIKAR_LIBRARY_VERSION},
      {classKey + L"\\Control", nullptr, std::nullopt},
      {classKey + L"\\Programmable", nullptr, std::nullopt},
      // SETCLIENTSITEFIRST | ACTIVATEWHENVISIBLE | INSIDEOUT | CANTLINKINSIDE |
      // RECOMPOSEONRESIZE
      {classKey + L"\\MiscStatus\\1", nullptr, L"131473"},
      {classKey + L"\\Implemented Categories\\" + kControlCategory, nullptr, std::nullopt},
      {L"PelikarLib.Pelikar\\CLSID", nullptr, classId},
      {L"PelikarLib.Pelikar\\CurVer", nullptr, L"PelikarLib.Pelikar.1"},
      {L"PelikarLib.Pelikar.1\\CLSID", nullptr, classId},
      {L"TypeLib\\" + library + L"\\" PELIKAR_LIBRARY_VERSION L"\\0\\" + platform, nullptr,
       OcxPath()},
      {interfaceKey, nullptr, L"_Pelikar"},
      {interfaceKey + L"\\ProxyStubClsid32", nullptr, kUniversalMarshaler},
      {interfaceKey + L"\\TypeLib", nullptr, library},
      {eventsKey + L"\\ProxyStubClsid32", nullptr, kDispatchMarshaler},
      {pageKey + L"\\InprocServer32", nullptr, OcxPath()},
      {pageKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
  };
}

class Registration : public testing::Test {
 protected:
  static void TearDownTestSuite() {
    OcxModule module;
    EXPECT_EQ(module.RegisterServer(), S_OK) << "the control is left unregistered";
  }

  OcxModule module_;
};

TEST_F(Registration, WritesEveryKey) {
  ASSERT_TRUE(module_.loaded());
  ASSERT_EQ(module_.RegisterServer(), S_OK);
  for (const Entry& entry : ExpectedEntries()) {
    SCOPED_TRACE(testing::Message() << "HKCR\\" << entry.key << " "
                                    << (entry.name != nullptr ? entry.name : L"(default)"));
    if (!entry.value) {
      EXPECT_TRUE(KeyExists(entry.key));
      continue;
    }
    const auto value = ReadValue(entry.key, entry.name);
    ASSERT_TRUE(value.has_value());
    // Paths compare without regard to case, like the file system.
    EXPECT_EQ(Lower(*value), Lower(*entry.value));
  }
}

TEST_F(Registration, RegisteringTwiceIsHarmless) {
  ASSERT_EQ(module_.RegisterServer(), S_OK);
  ASSERT_EQ(module_.RegisterServer(), S_OK);
  EXPECT_TRUE(KeyExists(L"PelikarLib.Pelikar\\CurVer"));
}

TEST_F(Registration, ProgIdCreatesTheControl) {
  ASSERT_EQ(module_.RegisterServer(), S_OK);
  for (const wchar_t* progId : {L"PelikarLib.Pelikar", L"PelikarLib.Pelikar.1"}) {
    SCOPED_TRACE(testing::Message() << progId);
    CLSID classId{};
    ASSERT_EQ(CLSIDFromProgID(progId, &classId), S_OK);
    EXPECT_TRUE(IsEqualCLSID(classId, kPelikarClass));
    IDispatch* control = nullptr;
    ASSERT_EQ(CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                               reinterpret_cast<void**>(&control)),
              S_OK);
    UINT count = 0;
    EXPECT_EQ(control->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    control->Release();
  }
  // The property page a designer creates by the class the control names.
  IUnknown* page = nullptr;
  ASSERT_EQ(CoCreateInstance(kPropertyPageClass, nullptr, CLSCTX_INPROC_SERVER, IID_IPropertyPage,
                             reinterpret_cast<void**>(&page)),
            S_OK);
  page->Release();
}

TEST_F(Registration, UnregisterRemovesEveryKey) {
  ASSERT_EQ(module_.RegisterServer(), S_OK);
  ASSERT_EQ(module_.UnregisterServer(), S_OK);
  for (const Entry& entry : ExpectedEntries()) {
    EXPECT_FALSE(KeyExists(entry.key)) << "HKCR\\" << entry.key;
  }
  // The library's own key stays while the control of the other architecture is
  // registered; its entry for this one is among the expected entries.
  for (const std::wstring& key :
       {L"CLSID\\" + GuidText(kPelikarClass), L"CLSID\\" + GuidText(kPropertyPageClass),
        std::wstring(L"PelikarLib.Pelikar"), std::wstring(L"PelikarLib.Pelikar.1")}) {
    EXPECT_FALSE(KeyExists(key)) << "HKCR\\" << key;
  }

  CLSID classId{};
  EXPECT_TRUE(FAILED(CLSIDFromProgID(L"PelikarLib.Pelikar", &classId)));
  IUnknown* control = nullptr;
  for (const CLSID& registered : {kPelikarClass, kPropertyPageClass}) {
    EXPECT_EQ(CoCreateInstance(registered, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               reinterpret_cast<void**>(&control)),
              REGDB_E_CLASSNOTREG);
    EXPECT_EQ(control, nullptr);
  }
}

TEST_F(Registration, UnregisteringWhatIsNotRegisteredSucceeds) {
  ASSERT_EQ(module_.UnregisterServer(), S_OK);
  EXPECT_EQ(module_.UnregisterServer(), S_OK);
}

}  // namespace
}  // namespace pelikar::com_tests
