#include "control/com/module.h"

#include <atomic>

#include "control/com/class_factory.h"
#include "control/com/in_place.h"
#include "control/com/pelikar_object.h"
#include "control/com/property_page.h"
#include "control/com/registration.h"
#include "dialogs/win32/screen.h"
#include "dialogs/win32/tooltip_window.h"
#include "pelikar_h.h"

namespace pelikar::com {
namespace {

HMODULE moduleHandle = nullptr;
// DllCanUnloadNow may be asked from any thread, so the counts are atomic.
std::atomic<long> objectCount{0};
std::atomic<long> lockCount{0};

}  // namespace

std::wstring ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = GetModuleFileNameW(moduleHandle, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);  // truncated: a long path
  }
}

HINSTANCE ModuleInstance() { return moduleHandle; }

void ObjectCreated() { ++objectCount; }
void ObjectDestroyed() { --objectCount; }
void LockModule() { ++lockCount; }
void UnlockModule() { --lockCount; }
bool ModuleInUse() { return objectCount > 0 || lockCount > 0; }

}  // namespace pelikar::com

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    pelikar::com::moduleHandle = instance;
    DisableThreadLibraryCalls(instance);
  } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
    // Unloaded while the process goes on (FreeLibrary, CoFreeUnusedLibraries).
    pelikar::com::UnregisterFaceWindowClass();
    pelikar::dialogs::win32::UnregisterWindowClasses();
  }
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID classId, REFIID interfaceId, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  using pelikar::com::ClassFactory;
  if (IsEqualCLSID(classId, CLSID_Pelikar)) {
    return ClassFactory::Create(pelikar::com::PelikarObject::Create, interfaceId, object);
  }
  if (IsEqualCLSID(classId, CLSID_Property)) {
    return ClassFactory::Create(pelikar::com::PropertyPage::Create, interfaceId, object);
  }
  return CLASS_E_CLASSNOTAVAILABLE;
}

// A tooltip left on the screen runs the module's code too.
STDAPI DllCanUnloadNow() {
  return pelikar::com::ModuleInUse() || pelikar::dialogs::win32::TooltipsOpen() ? S_FALSE : S_OK;
}

STDAPI DllRegisterServer() { return pelikar::com::RegisterServer(); }

STDAPI DllUnregisterServer() { return pelikar::com::UnregisterServer(); }
