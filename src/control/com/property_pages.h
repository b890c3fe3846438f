#pragma once
// ISpecifyPropertyPages: the control's properties are edited on its own page, the
// class Property of the type library.
#include <windows.h>
#include <ocidl.h>

#include "control/com/forwarding_unknown.h"

namespace pelikar::com {

class SpecifyPropertyPages final : public ForwardingUnknown<ISpecifyPropertyPages> {
 public:
  using ForwardingUnknown::ForwardingUnknown;

  STDMETHODIMP GetPages(CAUUID* pages) override;
};

}  // namespace pelikar::com
