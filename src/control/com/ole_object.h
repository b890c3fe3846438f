#pragma once
// IOleObject: how a container sites the control, activates it, sizes it and closes
// it. The control's size is its face's: a new extent is taken and ignored.
#include <windows.h>
#include <oleidl.h>

#include "control/com/client_site.h"
#include "control/com/forwarding_unknown.h"
#include "control/com/in_place.h"
#include "control/com/view_object.h"

namespace pelikar::com {

class OleObject final : public ForwardingUnknown<IOleObject> {
 public:
  OleObject(IUnknown& owner, ClientSite& site, InPlaceObject& inPlace, ViewObject& view);
  ~OleObject();

  STDMETHODIMP SetClientSite(IOleClientSite* site) override;
  STDMETHODIMP GetClientSite(IOleClientSite** site) override;
  STDMETHODIMP SetHostNames(LPCOLESTR application, LPCOLESTR document) override;
  STDMETHODIMP Close(DWORD saveOption) override;
  STDMETHODIMP SetMoniker(DWORD which, IMoniker* moniker) override;
  STDMETHODIMP GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
  STDMETHODIMP InitFromData(IDataObject* data, BOOL creation, DWORD reserved) override;
  STDMETHODIMP GetClipboardData(DWORD reserved, IDataObject** data) override;
  STDMETHODIMP DoVerb(LONG verb, LPMSG message, IOleClientSite* activeSite, LONG index,
                      HWND parent, LPCRECT position) override;
  STDMETHODIMP EnumVerbs(IEnumOLEVERB** verbs) override;
  STDMETHODIMP Update() override;
  STDMETHODIMP IsUpToDate() override;
  STDMETHODIMP GetUserClassID(CLSID* classId) override;
  STDMETHODIMP GetUserType(DWORD form, LPOLESTR* name) override;
  STDMETHODIMP SetExtent(DWORD aspect, SIZEL* size) override;
  STDMETHODIMP GetExtent(DWORD aspect, SIZEL* size) override;
  STDMETHODIMP Advise(IAdviseSink* sink, DWORD* connection) override;
  STDMETHODIMP Unadvise(DWORD connection) override;
  STDMETHODIMP EnumAdvise(IEnumSTATDATA** advises) override;
  STDMETHODIMP GetMiscStatus(DWORD aspect, DWORD* status) override;
  STDMETHODIMP SetColorScheme(LOGPALETTE* palette) override;

 private:
  HRESULT MakeAdviseHolder();

  ClientSite& site_;
  InPlaceObject& inPlace_;
  ViewObject& view_;
  IOleAdviseHolder* advises_ = nullptr;
};

}  // namespace pelikar::com
