#include "control/com/registration.h"

#include <oleauto.h>
#include <olectl.h>

#include <string>

#include "control/com/module.h"
#include "control/com/type_library.h"
#include "pelikar_h.h"

namespace pelikar::com {
namespace {

constexpr wchar_t kClassName[] = L"Pelikar Control";
constexpr wchar_t kPageClassName[] = L"Pelikar Property Page";
constexpr wchar_t kThreadingModel[] = L"Apartment";
constexpr wchar_t kTypeLibVersion[] = PELIKAR_LIBRARY_VERSION;  // the build's major.minor
// Implemented category "Controls" (CATID_Control).
constexpr wchar_t kControlCategory[] = L"{40FC6ED4-2438-11CF-A3DB-080036F12502}";

std::wstring GuidText(REFGUID guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

std::wstring ClassKey() { return L"CLSID\\" + GuidText(CLSID_Pelikar); }
std::wstring PageClassKey() { return L"CLSID\\" + GuidText(CLSID_Property); }

// Creates HKCR\key (and its parents) and sets one string value; name nullptr is the
// key's default value, value nullptr leaves the key without it.
HRESULT SetValue(const std::wstring& key, const wchar_t* name, const wchar_t* value) {
  HKEY handle = nullptr;
  LSTATUS status = RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr,
                                   REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &handle,
                                   nullptr);
  if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
  if (value != nullptr) {
    const DWORD size = static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t));
    status = RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), size);
  }
  RegCloseKey(handle);
  return HRESULT_FROM_WIN32(status);
}

HRESULT DeleteTree(const std::wstring& key) {
  const LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
  return status == ERROR_FILE_NOT_FOUND ? S_OK : HRESULT_FROM_WIN32(status);
}

HRESULT RegisterClassKeys(const std::wstring& modulePath) {
  const std::wstring classKey = ClassKey();
  const std::wstring pageKey = PageClassKey();
  const std::wstring classId = GuidText(CLSID_Pelikar);
  const std::wstring miscStatus = std::to_wstring(kMiscStatus);
  const std::wstring typeLib = GuidText(LIBID_PelikarLib);
  const struct {
    std::wstring key;
    const wchar_t* name;
    const wchar_t* value;
  } entries[] = {
      {classKey, nullptr, kClassName},
      {classKey + L"\\InprocServer32", nullptr, modulePath.c_str()},
      {classKey + L"\\InprocServer32", L"ThreadingModel", kThreadingModel},
      {classKey + L"\\ProgID", nullptr, kProgId},
      {classKey + L"\\VersionIndependentProgID", nullptr, kVersionIndependentProgId},
      {classKey + L"\\TypeLib", nullptr, typeLib.c_str()},
      {classKey + L"\\Version", nullptr, kTypeLibVersion},
      {classKey + L"\\Control", nullptr, nullptr},
      {classKey + L"\\Programmable", nullptr, nullptr},
      {classKey + L"\\MiscStatus", nullptr, L"0"},
      {classKey + L"\\MiscStatus\\1", nullptr, miscStatus.c_str()},
      {classKey + L"\\Implemented Categories\\" + kControlCategory, nullptr, nullptr},
      {kProgId, nullptr, kClassName},
      {std::wstring(kProgId) + L"\\CLSID", nullptr, classId.c_str()},
      {kVersionIndependentProgId, nullptr, kClassName},
      {std::wstring(kVersionIndependentProgId) + L"\\CLSID", nullptr, classId.c_str()},
      {std::wstring(kVersionIndependentProgId) + L"\\CurVer", nullptr, kProgId},
      // The property page, a class of the same module.
      {pageKey, nullptr, kPageClassName},
      {pageKey + L"\\InprocServer32", nullptr, modulePath.c_str()},
      {pageKey + L"\\InprocServer32", L"ThreadingModel", kThreadingModel},
  };
  for (const auto& entry : entries) {
    const HRESULT result = SetValue(entry.key, entry.name, entry.value);
    if (FAILED(result)) return result;
  }
  return S_OK;
}

HRESULT RegisterTypeLibrary(const std::wstring& modulePath) {
  ITypeLib* library = nullptr;
  HRESULT result = LoadModuleTypeLib(&library);
  if (FAILED(result)) return result;
  result = RegisterTypeLib(library, const_cast<LPOLESTR>(modulePath.c_str()), nullptr);
  library->Release();
  return result;
}

// Whether the library is registered for this module's platform. The library's key
// is shared by the 32-bit and the 64-bit control, and may hold the other one's entry
// alone.
bool RegisteredForThisPlatform(const TLIBATTR& attributes) {
  wchar_t version[32];
  swprintf(version, 32, L"\\%x.%x\\%lx\\", attributes.wMajorVerNum, attributes.wMinorVerNum,
           attributes.lcid);
  const std::wstring key = L"TypeLib\\" + GuidText(attributes.guid) + version +
                           (attributes.syskind == SYS_WIN64 ? L"win64" : L"win32");
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(opened);
  return true;
}

HRESULT UnregisterTypeLibrary() {
  ITypeLib* library = nullptr;
  HRESULT result = LoadModuleTypeLib(&library);
  if (FAILED(result)) return result;
  TLIBATTR* attributes = nullptr;
  result = library->GetLibAttr(&attributes);
  // A library that is not registered is already gone.
  if (SUCCEEDED(result) && RegisteredForThisPlatform(*attributes)) {
    result = UnRegisterTypeLib(attributes->guid, attributes->wMajorVerNum,
                               attributes->wMinorVerNum, attributes->lcid, attributes->syskind);
  }
  if (attributes != nullptr) library->ReleaseTLibAttr(attributes);
  library->Release();
  return result;
}

}  // namespace

HRESULT RegisterServer() {
  const std::wstring modulePath = ModulePath();
  if (modulePath.empty()) return SELFREG_E_CLASS;
  HRESULT result = RegisterClassKeys(modulePath);
  if (SUCCEEDED(result)) {
    result = RegisterTypeLibrary(modulePath);
    if (FAILED(result)) result = SELFREG_E_TYPELIB;
  }
  if (FAILED(result)) UnregisterServer();  // leave nothing half-registered
  return result;
}

HRESULT UnregisterServer() {
  HRESULT result = S_OK;
  for (const std::wstring& key : {ClassKey(), PageClassKey(), std::wstring(kProgId),
                                  std::wstring(kVersionIndependentProgId)}) {
    const HRESULT deleted = DeleteTree(key);
    if (FAILED(deleted)) result = SELFREG_E_CLASS;
  }
  if (FAILED(UnregisterTypeLibrary()) && SUCCEEDED(result)) result = SELFREG_E_TYPELIB;
  return result;
}

}  // namespace pelikar::com
