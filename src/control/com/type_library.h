#pragma once
// The type library embedded in the .ocx (resource 1 TYPELIB), loaded from the
// module's own file so that it works before and without registration.
#include <windows.h>
#include <oleauto.h>

namespace pelikar::com {

HRESULT LoadModuleTypeLib(ITypeLib** library);
HRESULT LoadModuleTypeInfo(REFGUID guid, ITypeInfo** info);

}  // namespace pelikar::com
