#include "test_site.h"

#include <string>

namespace pelikar::container_tests {
namespace {

constexpr wchar_t kAmbientFontName[] = L"Tahoma";
constexpr LONGLONG kAmbientFontPoints = 10;

std::string Placed(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + " " +
         std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
}

VARIANT ObjectVariant(IDispatch* object) {
  VARIANT value;
  V_VT(&value) = VT_DISPATCH;
  V_DISPATCH(&value) = object;
  return value;
}

}  // namespace

STDMETHODIMP TestFrame::QueryInterface(REFIID interfaceId, void** object) {
  if (IsEqualIID(interfaceId, IID_IUnknown) || IsEqualIID(interfaceId, IID_IOleWindow) ||
      IsEqualIID(interfaceId, IID_IOleInPlaceUIWindow) ||
      IsEqualIID(interfaceId, IID_IOleInPlaceFrame)) {
    *object = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP TestFrame::GetWindow(HWND* window) {
  *window = window_;
  return S_OK;
}

STDMETHODIMP TestFrame::SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR name) {
  log_.Add("frame.SetActiveObject " +
           (object != nullptr ? Narrow(name != nullptr ? name : L"(no name)") : "null"));
  return S_OK;
}

TestSite::TestSite(CallLog& log, HWND window)
    : log_(log),
      window_(window),
      frame_(new TestFrame(log, window)),
      form_(new TestObject(log, "form")),
      extender_(new TestObject(log, "extender")) {
  VARIANT caption;
  V_VT(&caption) = VT_BSTR;
  V_BSTR(&caption) = SysAllocString(L"Form1");
  form_->Set(L"Caption", caption);
  VariantClear(&caption);
  extender_->Set(L"Parent", ObjectVariant(form_));

  FONTDESC description{};
  description.cbSizeofstruct = sizeof description;
  description.lpstrName = const_cast<LPOLESTR>(kAmbientFontName);
  description.cySize.int64 = kAmbientFontPoints * 10000;
  description.sWeight = FW_NORMAL;
  OleCreateFontIndirect(&description, IID_IFontDisp, reinterpret_cast<void**>(&font_));
}

TestSite::~TestSite() {
  if (font_ != nullptr) font_->Release();
  extender_->Release();
  form_->Release();
  frame_->Release();
}

STDMETHODIMP TestSite::QueryInterface(REFIID interfaceId, void** object) {
  if (IsEqualIID(interfaceId, IID_IUnknown) || IsEqualIID(interfaceId, IID_IOleClientSite)) {
    *object = static_cast<IOleClientSite*>(this);
  } else if (IsEqualIID(interfaceId, IID_IOleWindow) ||
             IsEqualIID(interfaceId, IID_IOleInPlaceSite)) {
    *object = static_cast<IOleInPlaceSite*>(this);
  } else if (IsEqualIID(interfaceId, IID_IOleControlSite)) {
    *object = static_cast<IOleControlSite*>(this);
  } else if (IsEqualIID(interfaceId, IID_IDispatch) && offersAmbients) {
    *object = static_cast<IDispatch*>(this);
  } else if (IsEqualIID(interfaceId, IID_IPropertyNotifySink)) {
    *object = static_cast<IPropertyNotifySink*>(this);
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

STDMETHODIMP TestSite::SaveObject() {
  log_.Add("site.SaveObject");
  return S_OK;
}

STDMETHODIMP TestSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  *moniker = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP TestSite::GetContainer(IOleContainer** container) {
  *container = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP TestSite::ShowObject() {
  log_.Add("site.ShowObject");
  return S_OK;
}

STDMETHODIMP TestSite::GetWindow(HWND* window) {
  log_.Add("site.GetWindow");
  *window = window_;
  return S_OK;
}

STDMETHODIMP TestSite::CanInPlaceActivate() {
  log_.Add("site.CanInPlaceActivate");
  return S_OK;
}

STDMETHODIMP TestSite::OnInPlaceActivate() {
  log_.Add("site.OnInPlaceActivate");
  return S_OK;
}

STDMETHODIMP TestSite::OnUIActivate() {
  log_.Add("site.OnUIActivate");
  return S_OK;
}

STDMETHODIMP TestSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                        LPRECT position, LPRECT clip,
                                        LPOLEINPLACEFRAMEINFO frameInfo) {
  log_.Add("site.GetWindowContext");
  *frame = frame_;
  frame_->AddRef();
  *document = nullptr;
  *position = this->position;
  *clip = this->position;
  frameInfo->fMDIApp = FALSE;
  frameInfo->hwndFrame = window_;
  frameInfo->haccel = nullptr;
  frameInfo->cAccelEntries = 0;
  return S_OK;
}

STDMETHODIMP TestSite::OnUIDeactivate(BOOL) {
  log_.Add("site.OnUIDeactivate");
  IOleInPlaceObject* inPlace = nullptr;
  if (deactivatesOnUIDeactivate && control_ != nullptr &&
      SUCCEEDED(control_->QueryInterface(IID_IOleInPlaceObject,
                                         reinterpret_cast<void**>(&inPlace)))) {
    inPlace->InPlaceDeactivate();
    inPlace->Release();
  }
  return S_OK;
}

STDMETHODIMP TestSite::OnInPlaceDeactivate() {
  log_.Add("site.OnInPlaceDeactivate");
  return S_OK;
}

// As a form designer does: the control gets the rectangle it asked for.
STDMETHODIMP TestSite::OnPosRectChange(LPCRECT position) {
  log_.Add("site.OnPosRectChange " + Placed(*position));
  this->position = *position;
  IOleInPlaceObject* inPlace = nullptr;
  if (control_ != nullptr &&
      SUCCEEDED(control_->QueryInterface(IID_IOleInPlaceObject,
                                         reinterpret_cast<void**>(&inPlace)))) {
    inPlace->SetObjectRects(position, position);
    inPlace->Release();
  }
  return S_OK;
}

STDMETHODIMP TestSite::GetExtendedControl(IDispatch** extended) {
  log_.Add("site.GetExtendedControl");
  *extended = offersExtendedControl ? extender_ : nullptr;
  if (*extended == nullptr) return E_NOTIMPL;
  extender_->AddRef();
  return S_OK;
}

STDMETHODIMP TestSite::GetTypeInfoCount(UINT* count) {
  *count = 0;
  return S_OK;
}

STDMETHODIMP TestSite::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  *info = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP TestSite::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  return E_NOTIMPL;
}

STDMETHODIMP TestSite::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result,
                              EXCEPINFO*, UINT*) {
  if (!(flags & DISPATCH_PROPERTYGET) || result == nullptr) return DISP_E_MEMBERNOTFOUND;
  VariantInit(result);
  switch (id) {
    case DISPID_AMBIENT_USERMODE:
      log_.Add("ambient UserMode");
      V_VT(result) = VT_BOOL;
      V_BOOL(result) = userMode ? VARIANT_TRUE : VARIANT_FALSE;
      return S_OK;
    case DISPID_AMBIENT_FONT:
      log_.Add("ambient Font");
      if (!offersFont || font_ == nullptr) return DISP_E_MEMBERNOTFOUND;
      font_->AddRef();
      *result = ObjectVariant(font_);
      return S_OK;
    default:
      log_.Add("ambient " + std::to_string(id));
      return DISP_E_MEMBERNOTFOUND;
  }
}

STDMETHODIMP TestSite::OnChanged(DISPID id) {
  log_.Add("notify.OnChanged " + std::to_string(id));
  return S_OK;
}

STDMETHODIMP TestSite::OnRequestEdit(DISPID id) {
  log_.Add("notify.OnRequestEdit " + std::to_string(id));
  return S_OK;
}

}  // namespace pelikar::container_tests
