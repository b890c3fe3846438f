#pragma once
// What DllRegisterServer and DllUnregisterServer do: the class keys of the control and
// of its property page, the control's ProgIDs and the type library.
#include <windows.h>
#include <oleidl.h>

namespace pelikar::com {

inline constexpr wchar_t kProgId[] = L"PelikarLib.Pelikar.1";
inline constexpr wchar_t kVersionIndependentProgId[] = L"PelikarLib.Pelikar";

// How a container treats the control on a form: sited before it is loaded, active
// in place whenever it shows, with a window of its own.
inline constexpr DWORD kMiscStatus = OLEMISC_SETCLIENTSITEFIRST | OLEMISC_ACTIVATEWHENVISIBLE |
                                     OLEMISC_INSIDEOUT | OLEMISC_CANTLINKINSIDE |
                                     OLEMISC_RECOMPOSEONRESIZE;

HRESULT RegisterServer();
// Removes everything RegisterServer wrote; succeeds when nothing was registered.
HRESULT UnregisterServer();

}  // namespace pelikar::com
