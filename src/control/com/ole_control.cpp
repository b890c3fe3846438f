#include "control/com/ole_control.h"

namespace pelikar::com {

STDMETHODIMP OleControl::GetControlInfo(CONTROLINFO* info) {
  if (info == nullptr) return E_POINTER;
  if (info->cb < sizeof(CONTROLINFO)) return E_INVALIDARG;
  info->hAccel = nullptr;
  info->cAccel = 0;
  info->dwFlags = 0;
  return S_OK;
}

STDMETHODIMP OleControl::OnMnemonic(MSG* /*message*/) { return E_NOTIMPL; }

STDMETHODIMP OleControl::OnAmbientPropertyChange(DISPID property) {
  site_.AmbientChanged(property);
  return S_OK;
}

STDMETHODIMP OleControl::FreezeEvents(BOOL /*freeze*/) { return S_OK; }

}  // namespace pelikar::com
