#pragma once
// IOleControl: the container tells the control of changed ambient properties. The
// control has no mnemonics and raises no events to freeze.
#include <windows.h>
#include <ocidl.h>

#include "control/com/client_site.h"
#include "control/com/forwarding_unknown.h"

namespace pelikar::com {

class OleControl final : public ForwardingUnknown<IOleControl> {
 public:
  OleControl(IUnknown& owner, ClientSite& site) : ForwardingUnknown(owner), site_(site) {}

  STDMETHODIMP GetControlInfo(CONTROLINFO* info) override;
  STDMETHODIMP OnMnemonic(MSG* message) override;
  STDMETHODIMP OnAmbientPropertyChange(DISPID property) override;
  STDMETHODIMP FreezeEvents(BOOL freeze) override;

 private:
  ClientSite& site_;
};

}  // namespace pelikar::com
