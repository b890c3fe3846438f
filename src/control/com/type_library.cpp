#include "control/com/type_library.h"

#include "control/com/module.h"

namespace pelikar::com {

HRESULT LoadModuleTypeLib(ITypeLib** library) {
  if (library == nullptr) return E_POINTER;
  *library = nullptr;
  const std::wstring path = ModulePath();
  if (path.empty()) return HRESULT_FROM_WIN32(GetLastError());
  return LoadTypeLibEx(path.c_str(), REGKIND_NONE, library);
}

HRESULT LoadModuleTypeInfo(REFGUID guid, ITypeInfo** info) {
  if (info == nullptr) return E_POINTER;
  *info = nullptr;
  ITypeLib* library = nullptr;
  HRESULT result = LoadModuleTypeLib(&library);
  if (FAILED(result)) return result;
  result = library->GetTypeInfoOfGuid(guid, info);
  library->Release();
  return result;
}

}  // namespace pelikar::com
