#pragma once
// IPersistPropertyBag: the control's properties as named values in the container's
// property bag (a form file, an HTML page's parameters).
#include <windows.h>
#include <ocidl.h>

#include "control/com/forwarding_unknown.h"
#include "control/com/lifecycle.h"

namespace pelikar::com {

class PersistPropertyBag final : public ForwardingUnknown<IPersistPropertyBag> {
 public:
  PersistPropertyBag(IUnknown& owner, Lifecycle& lifecycle)
      : ForwardingUnknown(owner), lifecycle_(lifecycle) {}

  // IPersist
  STDMETHODIMP GetClassID(CLSID* classId) override;

  // IPersistPropertyBag
  STDMETHODIMP InitNew() override;
  STDMETHODIMP Load(IPropertyBag* bag, IErrorLog* errorLog) override;
  STDMETHODIMP Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAllProperties) override;

 private:
  Lifecycle& lifecycle_;
};

}  // namespace pelikar::com
