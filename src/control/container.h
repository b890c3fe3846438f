#pragma once
// What the control asks of the container that carries it: the ambient properties,
// property-change notification and the form it sits on. The COM layer answers from
// the client site; tests use a container of their own.
#include <string_view>

#include "host/host_value.h"

namespace pelikar::control {

class Container {
 public:
  virtual ~Container() = default;

  // Ambient UserMode: false while the host's form designer shows the control, true at
  // run time. A container that offers no ambient properties runs.
  virtual bool UserMode() = 0;
  // Ambient Font: the container's font, the control's font after loading.
  virtual host::HostValue AmbientFont() = 0;
  // The named property has changed: the container shows the new value and knows
  // that the control needs saving.
  virtual void PropertyChanged(std::string_view property) = 0;
  // The form the control sits on, reached by member name; null when the container
  // shows none.
  virtual host::HostValue::Object ParentForm() = 0;
};

}  // namespace pelikar::control
