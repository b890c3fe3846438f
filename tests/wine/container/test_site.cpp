#include "test_site.h"

namespace pelikar::container_tests {

TestSite::TestSite(CallLog& log, HWND window)
    : log_(log),
      window_(window),
      ambients_(new TestObject(log, "ambient")),
      form_(new TestObject(log, "form")),
      extender_(new TestObject(log, "extender")) {
  form_->Set(L"Caption", *Variant::Text(L"Form1").get());
  extender_->Set(L"Parent", *com_tests::Object(form_).get());
  SetUserMode(true);
  FONTDESC description{sizeof description, const_cast<LPOLESTR>(L"Tahoma"), {}, FW_NORMAL,
                       ANSI_CHARSET, FALSE, FALSE, FALSE};
  description.cySize.int64 = 10 * 10000;  // 10 points
  IDispatch* font = nullptr;
  OleCreateFontIndirect(&description, IID_IFontDisp, reinterpret_cast<void**>(&font));
  ambients_->Set(L"Font", *com_tests::Object(font).get(), DISPID_AMBIENT_FONT);
  font->Release();
}

TestSite::~TestSite() {
  extender_->Release();
  form_->Release();
  ambients_->Release();
}

STDMETHODIMP TestSite::QueryInterface(REFIID interfaceId, void** object) {
  *object = nullptr;
  if (IsEqualIID(interfaceId, IID_IUnknown) || IsEqualIID(interfaceId, IID_IOleClientSite)) {
    *object = static_cast<IOleClientSite*>(this);
  } else if (IsEqualIID(interfaceId, IID_IOleWindow) || IsEqualIID(interfaceId, IID_IOleInPlaceSite)) {
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

STDMETHODIMP TestSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                        LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
  AddRef();
  *frame = this;
  *document = nullptr;
  *position = *clip = this->position;
  *info = {sizeof *info, FALSE, window_, nullptr, 0};
  return Logged("site.GetWindowContext");
}

IOleInPlaceObject* TestSite::InPlace() const {
  IOleInPlaceObject* inPlace = nullptr;
  if (control_ != nullptr) control_->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace));
  return inPlace;
}

STDMETHODIMP TestSite::OnUIDeactivate(BOOL) {
  log_.Add("site.OnUIDeactivate");
  if (IOleInPlaceObject* inPlace = deactivatesOnUIDeactivate ? InPlace() : nullptr) {
    inPlace->InPlaceDeactivate();
    inPlace->Release();
  }
  return S_OK;
}

// As a form designer does: the control gets the rectangle it asked for.
STDMETHODIMP TestSite::OnPosRectChange(LPCRECT placed) {
  log_.Add("site.OnPosRectChange " + std::to_string(placed->left) + "," + std::to_string(placed->top) +
           " " + std::to_string(placed->right - placed->left) + "x" + std::to_string(placed->bottom - placed->top));
  position = *placed;
  if (IOleInPlaceObject* inPlace = InPlace()) {
    inPlace->SetObjectRects(placed, placed);
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

void ContainerTest::SetUp() {
  ASSERT_TRUE(module_.loaded());
  window_ = CreateWindowExW(0, L"STATIC", L"Form1", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                            nullptr, nullptr, nullptr);
  site_ = new TestSite(log_, window_);
  control_ = NewControl();
  ASSERT_NE(control_, nullptr);
  site_->Attach(control_);
}

void ContainerTest::TearDown() {
  if (control_ != nullptr) {
    IOleObject* object = As<IOleObject>(IID_IOleObject);
    object->Close(OLECLOSE_NOSAVE);
    object->SetClientSite(nullptr);
    EXPECT_EQ(control_->Release(), 0u) << "the container's references balance";
  }
  EXPECT_EQ(site_->Release(), 0u) << "the control gave back every reference to its site";
  DestroyWindow(window_);
  EXPECT_EQ(module_.CanUnloadNow(), S_OK) << "something of the module is still alive";
}

HRESULT ContainerTest::Put(const wchar_t* property, const Variant& value, IUnknown* control) {
  const CallResult call = Call(As<IDispatch>(IID_IDispatch, control), property, {&value}, DISPATCH_PROPERTYPUT);
  return call.result == DISP_E_EXCEPTION ? call.exception.scode : call.result;
}

std::string ContainerTest::Get(const wchar_t* property, IUnknown* control) {
  CallResult call = Call(As<IDispatch>(IID_IDispatch, control), property, {}, DISPATCH_PROPERTYGET);
  return call.result == S_OK ? Typed(*call.value.get()) : "failed";
}

std::string Typed(const VARIANT& value) {
  const char* kind = V_VT(&value) == VT_BOOL ? "Boolean" : V_VT(&value) == VT_I2 ? "Integer"
                     : V_VT(&value) == VT_I4 ? "Long" : V_VT(&value) == VT_BSTR ? "String" : "Other";
  if (V_VT(&value) == VT_EMPTY) return "Empty";
  Variant text;
  if (FAILED(VariantChangeType(text.get(), const_cast<VARIANT*>(&value), VARIANT_ALPHABOOL, VT_BSTR))) return kind;
  return std::string(kind) + " " + Narrow(text.text());
}

}  // namespace pelikar::container_tests
