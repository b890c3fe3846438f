#pragma once
// What DllRegisterServer and DllUnregisterServer do: the class keys of the control,
// its ProgIDs and the type library.
#include <windows.h>

namespace pelikar::com {

inline constexpr wchar_t kProgId[] = L"PelikarLib.Pelikar.1";
inline constexpr wchar_t kVersionIndependentProgId[] = L"PelikarLib.Pelikar";

HRESULT RegisterServer();
// Removes everything RegisterServer wrote; succeeds when nothing was registered.
HRESULT UnregisterServer();

}  // namespace pelikar::com
