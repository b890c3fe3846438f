#include "ocx_module.h"

#include <utility>

namespace pelikar::com_tests {
namespace {

std::wstring& StoredPath() {
  static std::wstring path;
  return path;
}

using ServerFunction = HRESULT(STDAPICALLTYPE*)();
using GetClassObjectFunction = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);

}  // namespace

void SetOcxPath(std::wstring path) { StoredPath() = std::move(path); }
const std::wstring& OcxPath() { return StoredPath(); }

OcxModule::OcxModule() : module_(LoadLibraryW(OcxPath().c_str())) {}

OcxModule::~OcxModule() {
  if (module_ != nullptr) FreeLibrary(module_);
}

template <class Function>
Function OcxModule::Entry(const char* name) const {
  if (module_ == nullptr) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
}

HRESULT OcxModule::RegisterServer() const {
  auto entry = Entry<ServerFunction>("DllRegisterServer");
  return entry != nullptr ? entry() : E_FAIL;
}

HRESULT OcxModule::UnregisterServer() const {
  auto entry = Entry<ServerFunction>("DllUnregisterServer");
  return entry != nullptr ? entry() : E_FAIL;
}

HRESULT OcxModule::GetClassObject(REFCLSID classId, REFIID interfaceId, void** object) const {
  auto entry = Entry<GetClassObjectFunction>("DllGetClassObject");
  return entry != nullptr ? entry(classId, interfaceId, object) : E_FAIL;
}

HRESULT OcxModule::CanUnloadNow() const {
  auto entry = Entry<ServerFunction>("DllCanUnloadNow");
  return entry != nullptr ? entry() : E_FAIL;
}

std::wstring GuidText(REFGUID guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

}  // namespace pelikar::com_tests
