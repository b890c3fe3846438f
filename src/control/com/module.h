#pragma once
// The in-process server module: its path, and the counts that tell
// DllCanUnloadNow whether anything of the module is still in use.
#include <windows.h>

#include <string>

namespace pelikar::com {

// The full path of the loaded .ocx, as registration and type library loading need it.
std::wstring ModulePath();
// Its handle, which owns the control's window class.
HINSTANCE ModuleInstance();

// Every live COM object of the module (controls and class factories) counts itself
// from construction to destruction.
void ObjectCreated();
void ObjectDestroyed();

// IClassFactory::LockServer.
void LockModule();
void UnlockModule();

bool ModuleInUse();

}  // namespace pelikar::com
