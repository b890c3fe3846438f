#include "control/com/ole_object.h"

#include <ole2.h>

#include "control/com/face.h"
#include "control/com/registration.h"
#include "pelikar_h.h"

namespace pelikar::com {

OleObject::OleObject(IUnknown& owner, ClientSite& site, InPlaceObject& inPlace, ViewObject& view)
    : ForwardingUnknown(owner), site_(site), inPlace_(inPlace), view_(view) {}

OleObject::~OleObject() {
  if (advises_ != nullptr) advises_->Release();
}

STDMETHODIMP OleObject::SetClientSite(IOleClientSite* site) {
  site_.Set(site);
  return S_OK;
}

STDMETHODIMP OleObject::GetClientSite(IOleClientSite** site) {
  if (site == nullptr) return E_POINTER;
  *site = site_.get();
  if (*site != nullptr) (*site)->AddRef();
  return S_OK;
}

STDMETHODIMP OleObject::SetHostNames(LPCOLESTR /*application*/, LPCOLESTR /*document*/) {
  return S_OK;
}

// The control has no prompt of its own: asked to prompt, it saves what changed. The
// view's sink goes with the closing, so that a sink holding the control lets it go.
STDMETHODIMP OleObject::Close(DWORD saveOption) {
  inPlace_.InPlaceDeactivate();
  const bool save = saveOption == OLECLOSE_SAVEIFDIRTY || saveOption == OLECLOSE_PROMPTSAVE;
  if (save && site_.dirty() && site_.get() != nullptr) site_.get()->SaveObject();
  if (advises_ != nullptr) advises_->SendOnClose();
  view_.SetAdvise(0, 0, nullptr);
  return S_OK;
}

STDMETHODIMP OleObject::SetMoniker(DWORD /*which*/, IMoniker* /*moniker*/) { return E_NOTIMPL; }

STDMETHODIMP OleObject::GetMoniker(DWORD /*assign*/, DWORD /*which*/, IMoniker** moniker) {
  if (moniker != nullptr) *moniker = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP OleObject::InitFromData(IDataObject* /*data*/, BOOL /*creation*/,
                                     DWORD /*reserved*/) {
  return E_NOTIMPL;
}

STDMETHODIMP OleObject::GetClipboardData(DWORD /*reserved*/, IDataObject** data) {
  if (data != nullptr) *data = nullptr;
  return E_NOTIMPL;
}

// Every showing verb activates the control in place; only UI activation (and the
// primary verb, a click) also makes it the active object of the frame. A positive
// verb the control does not know is taken as the primary verb, and said so.
STDMETHODIMP OleObject::DoVerb(LONG verb, LPMSG /*message*/, IOleClientSite* activeSite,
                               LONG /*index*/, HWND parent, LPCRECT /*position*/) {
  IOleClientSite* site = activeSite != nullptr ? activeSite : site_.get();
  switch (verb) {
    case OLEIVERB_SHOW:
    case OLEIVERB_INPLACEACTIVATE:
      return inPlace_.Activate(site, parent, false);
    case OLEIVERB_PRIMARY:
    case OLEIVERB_UIACTIVATE:
      return inPlace_.Activate(site, parent, true);
    case OLEIVERB_HIDE:
      return inPlace_.InPlaceDeactivate();
    default: {
      if (verb < 0) return E_NOTIMPL;  // a container's verb the control does not know
      const HRESULT activated = inPlace_.Activate(site, parent, true);
      return FAILED(activated) ? activated : OLEOBJ_S_INVALIDVERB;
    }
  }
}

STDMETHODIMP OleObject::EnumVerbs(IEnumOLEVERB** verbs) {
  if (verbs != nullptr) *verbs = nullptr;
  return OLE_S_USEREG;
}

STDMETHODIMP OleObject::Update() { return S_OK; }
STDMETHODIMP OleObject::IsUpToDate() { return S_OK; }

STDMETHODIMP OleObject::GetUserClassID(CLSID* classId) {
  if (classId == nullptr) return E_POINTER;
  *classId = CLSID_Pelikar;
  return S_OK;
}

STDMETHODIMP OleObject::GetUserType(DWORD /*form*/, LPOLESTR* name) {
  if (name != nullptr) *name = nullptr;
  return OLE_S_USEREG;
}

// The new size is taken and dropped: the control keeps its face's size, and a
// container that asks again (GetExtent) sees it snapped back.
STDMETHODIMP OleObject::SetExtent(DWORD aspect, SIZEL* size) {
  if (size == nullptr) return E_POINTER;
  return aspect == DVASPECT_CONTENT ? S_OK : DV_E_DVASPECT;
}

STDMETHODIMP OleObject::GetExtent(DWORD aspect, SIZEL* size) {
  if (size == nullptr) return E_POINTER;
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  *size = FaceExtent();
  return S_OK;
}

HRESULT OleObject::MakeAdviseHolder() {
  return advises_ != nullptr ? S_OK : CreateOleAdviseHolder(&advises_);
}

STDMETHODIMP OleObject::Advise(IAdviseSink* sink, DWORD* connection) {
  if (connection == nullptr) return E_POINTER;
  *connection = 0;
  const HRESULT made = MakeAdviseHolder();
  return FAILED(made) ? made : advises_->Advise(sink, connection);
}

STDMETHODIMP OleObject::Unadvise(DWORD connection) {
  return advises_ != nullptr ? advises_->Unadvise(connection) : OLE_E_NOCONNECTION;
}

STDMETHODIMP OleObject::EnumAdvise(IEnumSTATDATA** advises) {
  if (advises == nullptr) return E_POINTER;
  *advises = nullptr;
  const HRESULT made = MakeAdviseHolder();  // an empty list when nobody advised
  return FAILED(made) ? made : advises_->EnumAdvise(advises);
}

STDMETHODIMP OleObject::GetMiscStatus(DWORD aspect, DWORD* status) {
  if (status == nullptr) return E_POINTER;
  *status = aspect == DVASPECT_CONTENT ? kMiscStatus : 0;
  return S_OK;
}

STDMETHODIMP OleObject::SetColorScheme(LOGPALETTE* /*palette*/) { return E_NOTIMPL; }

}  // namespace pelikar::com
