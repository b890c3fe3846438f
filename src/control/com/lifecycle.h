#pragma once
// The control's life as its container drives it, through IPersistPropertyBag and
// IPersistStreamInit alike: made new (InitNew) or loaded (Load) once, then saved any
// number of times. Failures of the control's routines come back as the HRESULTs of
// their run-time errors, with error info.
#include <windows.h>

#include "control/com/client_site.h"
#include "control/control.h"

namespace pelikar::com {

class Lifecycle {
 public:
  Lifecycle(control::Control& control, ClientSite& site) : control_(control), site_(site) {}

  HRESULT InitNew();
  HRESULT Load(control::PropertyBag& bag);
  HRESULT Save(control::PropertyBag& bag);
  // After a save that reached the container's storage.
  void Saved(bool clearDirty);
  // S_OK when a property changed since the last save, else S_FALSE.
  HRESULT IsDirty() const { return site_.dirty() ? S_OK : S_FALSE; }
  // What Save would write, without saving.
  HRESULT Measure(control::PropertyBag& bag) const;

 private:
  control::Control& control_;
  ClientSite& site_;
  bool initialized_ = false;
};

}  // namespace pelikar::com
