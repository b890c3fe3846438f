#pragma once
// IPersistStreamInit: the control's properties in a container's stream, as the
// named values of the property bag (control::MemoryPropertyBag) behind a length, so
// that a container can keep several objects one after another in one stream.
#include <windows.h>
#include <ocidl.h>

#include "control/com/forwarding_unknown.h"
#include "control/com/lifecycle.h"

namespace pelikar::com {

class PersistStreamInit final : public ForwardingUnknown<IPersistStreamInit> {
 public:
  PersistStreamInit(IUnknown& owner, Lifecycle& lifecycle)
      : ForwardingUnknown(owner), lifecycle_(lifecycle) {}

  // IPersist
  STDMETHODIMP GetClassID(CLSID* classId) override;

  // IPersistStreamInit
  STDMETHODIMP IsDirty() override;
  STDMETHODIMP Load(LPSTREAM stream) override;
  STDMETHODIMP Save(LPSTREAM stream, BOOL clearDirty) override;
  STDMETHODIMP GetSizeMax(ULARGE_INTEGER* size) override;
  STDMETHODIMP InitNew() override;

 private:
  Lifecycle& lifecycle_;
};

}  // namespace pelikar::com
