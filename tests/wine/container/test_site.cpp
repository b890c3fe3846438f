#include "test_site.h"

#include <string>

namespace pelikar::container_tests {
namespace {

VARIANT ObjectVariant(IDispatch* object) {
  VARIANT value;
  V_VT(&value) = VT_DISPATCH;
  V_DISPATCH(&value) = object;
  return value;
}

}  // namespace

TestSite::TestSite(CallLog& log, HWND window)
    : log_(log),
      window_(window),
      ambients_(new TestObject(log, "ambient")),
      form_(new TestObject(log, "form")),
      extender_(new TestObject(log, "extender")) {
  VARIANT caption;
  V_VT(&caption) = VT_BSTR;
  V_BSTR(&caption) = SysAllocString(L"Form1");
  form_->Set(L"Caption", caption);
  VariantClear(&caption);
  extender_->Set(L"Parent", ObjectVariant(form_));

  SetUserMode(true);
  FONTDESC description{sizeof description, const_cast<LPOLESTR>(L"Tahoma"), {}, FW_NORMAL,
                       ANSI_CHARSET, FALSE, FALSE, FALSE};
  description.cySize.int64 = 10 * 10000;  // 10 points
  IDispatch* font = nullptr;
  if (SUCCEEDED(OleCreateFontIndirect(&description, IID_IFontDisp,
                                      reinterpret_cast<void**>(&font)))) {
    ambients_->Set(L"Font", ObjectVariant(font), DISPID_AMBIENT_FONT);
    font->Release();
  }
}

TestSite::~TestSite() {
  extender_->Release();
  form_->Release();
  ambients_->Release();
}

void TestSite::SetUserMode(bool userMode) {
  VARIANT value;
  V_VT(&value) = VT_BOOL;
  V_BOOL(&value) = userMode ? VARIANT_TRUE : VARIANT_FALSE;
  ambients_->Set(L"UserMode", value, DISPID_AMBIENT_USERMODE);
}

STDMETHODIMP TestSite::QueryInterface(REFIID interfaceId, void** object) {
  *object = nullptr;
  if (IsEqualIID(interfaceId, IID_IUnknown) || IsEqualIID(interfaceId, IID_IOleClientSite)) {
    *object = static_cast<IOleClientSite*>(this);
  } else if (IsEqualIID(interfaceId, IID_IOleWindow) ||
             IsEqualIID(interfaceId, IID_IOleInPlaceSite)) {
    *object = static_cast<IOleInPlaceSite*>(this);
  } else if (IsEqualIID(interfaceId, IID_IOleInPlaceUIWindow) ||
             IsEqualIID(interfaceId, IID_IOleInPlaceFrame)) {
    *object = static_cast<IOleInPlaceFrame*>(this);
  } else if (IsEqualIID(interfaceId, IID_IOleControlSite)) {
    *object = static_cast<IOleControlSite*>(this);
  } else if (IsEqualIID(interfaceId, IID_IDispatch) && offersAmbients) {
    *object = static_cast<IDispatch*>(this);
  } else if (IsEqualIID(interfaceId, IID_IPropertyNotifySink)) {
    *object = static_cast<IPropertyNotifySink*>(this);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
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

STDMETHODIMP TestSite::GetWindow(HWND* window) {
  *window = window_;
  return Logged("site.GetWindow");
}

STDMETHODIMP TestSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                        LPRECT position, LPRECT clip,
                                        LPOLEINPLACEFRAMEINFO frameInfo) {
  AddRef();
  *frame = this;
  *document = nullptr;
  *position = *clip = this->position;
  *frameInfo = {sizeof *frameInfo, FALSE, window_, nullptr, 0};
  return Logged("site.GetWindowContext");
}

IOleInPlaceObject* TestSite::InPlace() const {
  IOleInPlaceObject* inPlace = nullptr;
  if (control_ != nullptr) {
    control_->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace));
  }
  return inPlace;
}

STDMETHODIMP TestSite::OnUIDeactivate(BOOL) {
  log_.Add("site.OnUIDeactivate");
  IOleInPlaceObject* inPlace = deactivatesOnUIDeactivate ? InPlace() : nullptr;
  if (inPlace != nullptr) {
    inPlace->InPlaceDeactivate();
    inPlace->Release();
  }
  return S_OK;
}

// As a form designer does: the control gets the rectangle it asked for.
STDMETHODIMP TestSite::OnPosRectChange(LPCRECT placed) {
  log_.Add("site.OnPosRectChange " + std::to_string(placed->left) + "," +
           std::to_string(placed->top) + " " + std::to_string(placed->right - placed->left) +
           "x" + std::to_string(placed->bottom - placed->top));
  position = *placed;
  if (IOleInPlaceObject* inPlace = InPlace()) {
    inPlace->SetObjectRects(placed, placed);
    inPlace->Release();
  }
  return S_OK;
}

STDMETHODIMP TestSite::SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR name) {
  return Logged("frame.SetActiveObject " +
                (object != nullptr ? Narrow(name != nullptr ? name : L"(no name)") : "null"));
}

STDMETHODIMP TestSite::GetExtendedControl(IDispatch** extended) {
  log_.Add("site.GetExtendedControl");
  *extended = offersExtendedControl ? extender_ : nullptr;
  if (*extended == nullptr) return E_NOTIMPL;
  extender_->AddRef();
  return S_OK;
}

}  // namespace pelikar::container_tests
