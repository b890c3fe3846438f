#pragma once
// The container's side of one control on a form, written for the tests the way a
// form designer offers it: a client site with the ambient property UserMode (no Font:
// the control makes its own), an in-place site and frame in a window of its own, a
// control site whose extended control has the form as its Parent, the sink of the
// control's property-change notifications, a view sink, and the property frame's page
// site. Every call the control makes is recorded; the ambient properties, the form and
// the extended control are TestObjects ("ambient.Get UserMode").
// ContainerTest holds one control of the module under test, sited in a form window of
// its own; at the end every reference must be given back: the control's, the site's
// (also by the page), and the module's (DllCanUnloadNow).
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "../dispatch_client.h"
#include "../test_object.h"

namespace pelikar::container_tests {

using namespace com_tests;

class TestSite final : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame,
                       public IOleControlSite, public IDispatch, public IPropertyNotifySink,
                       public IPropertyPageSite, public IAdviseSink {
 public:
  // The form's window, which the control's window goes into; its caption is "Form1".
  TestSite(Calls& log, HWND window) : log_(log), window_(window) {
    form_->Set(L"Caption", L"Form1");
    extender_->Set(L"Parent", form_);
    SetUserMode(true);
  }
  // Ambient UserMode: true at run time, false in the form designer.
  void SetUserMode(bool userMode) { ambients_->Set(L"UserMode", Variant(VT_BOOL, userMode), DISPID_AMBIENT_USERMODE); }
  // Where the container places the control; OnPosRectChange moves it.
  RECT position{10, 20, 210, 120};
  // The control whose in-place object OnPosRectChange places again (not held).
  IUnknown* control = nullptr;

  STDMETHODIMP QueryInterface(REFIID id, void** object) override {
    const std::pair<IID, void*> interfaces[] = {
        {IID_IUnknown, static_cast<IOleClientSite*>(this)}, {IID_IOleClientSite, static_cast<IOleClientSite*>(this)},
        {IID_IOleWindow, static_cast<IOleInPlaceSite*>(this)}, {IID_IOleInPlaceSite, static_cast<IOleInPlaceSite*>(this)},
        {IID_IOleInPlaceUIWindow, static_cast<IOleInPlaceFrame*>(this)},
        {IID_IOleInPlaceFrame, static_cast<IOleInPlaceFrame*>(this)}, {IID_IOleControlSite, static_cast<IOleControlSite*>(this)},
        {IID_IDispatch, static_cast<IDispatch*>(this)}, {IID_IPropertyNotifySink, static_cast<IPropertyNotifySink*>(this)},
        {IID_IPropertyPageSite, static_cast<IPropertyPageSite*>(this)}, {IID_IAdviseSink, static_cast<IAdviseSink*>(this)}};
    *object = nullptr;
    for (const auto& [known, as] : interfaces) *object = IsEqualIID(id, known) ? as : *object;
    if (*object != nullptr) AddRef();
    return *object != nullptr ? S_OK : E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  // IOleClientSite
  STDMETHODIMP SaveObject() override { return Logged("site.SaveObject"); }
  STDMETHODIMP GetContainer(IOleContainer**) override { return E_NOINTERFACE; }
  STDMETHODIMP ShowObject() override { return Logged("site.ShowObject"); }

  // IOleWindow, of the in-place site and of the frame
  STDMETHODIMP GetWindow(HWND* window) override {
    *window = window_;
    return Logged("site.GetWindow");
  }

  // IOleInPlaceSite
  STDMETHODIMP CanInPlaceActivate() override { return Logged("site.CanInPlaceActivate"); }
  STDMETHODIMP OnInPlaceActivate() override { return Logged("site.OnInPlaceActivate"); }
  STDMETHODIMP OnUIActivate() override { return Logged("site.OnUIActivate"); }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                LPRECT placed, LPRECT clip, LPOLEINPLACEFRAMEINFO info) override {
    AddRef();
    *frame = this;
    *document = nullptr;
    *placed = *clip = position;
    *info = {sizeof *info, FALSE, window_, nullptr, 0};
    return Logged("site.GetWindowContext");
  }
  STDMETHODIMP OnUIDeactivate(BOOL) override { return Logged("site.OnUIDeactivate"); }
  STDMETHODIMP OnInPlaceDeactivate() override { return Logged("site.OnInPlaceDeactivate"); }
  // As a form designer does: the control gets the rectangle it asked for.
  STDMETHODIMP OnPosRectChange(LPCRECT placed) override {
    Logged("site.OnPosRectChange " + std::to_string(placed->left) + "," + std::to_string(placed->top) + " " +
           std::to_string(placed->right - placed->left) + "x" + std::to_string(placed->bottom - placed->top));
    position = *placed;
    IOleInPlaceObject* inPlace = nullptr;
    control->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace));
    inPlace->SetObjectRects(placed, placed);
    inPlace->Release();
    return S_OK;
  }

  // IOleInPlaceUIWindow, IOleInPlaceFrame: only the active object matters here
  PELIKAR_STUBS_2(INPLACE_E_NOTOOLSPACE, GetBorder(LPRECT), RequestBorderSpace(LPCBORDERWIDTHS))
  STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR name) override {
    return Logged("frame.SetActiveObject " + (object == nullptr ? "null" : Narrow(name != nullptr ? name : L"?")));
  }

  // IOleControlSite
  STDMETHODIMP GetExtendedControl(IDispatch** extended) override {
    extender_->AddRef();
    *extended = extender_;
    return Logged("site.GetExtendedControl");
  }

  // IDispatch: the ambient properties, by their DISPIDs
  STDMETHODIMP GetTypeInfoCount(UINT* count) override { return ambients_->GetTypeInfoCount(count); }
  STDMETHODIMP Invoke(DISPID id, REFIID interfaceId, LCID locale, WORD flags, DISPPARAMS* params,
                      VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override {
    return ambients_->Invoke(id, interfaceId, locale, flags, params, result, exception, argumentError);
  }

  // IPropertyNotifySink
  STDMETHODIMP OnChanged(DISPID id) override { return Logged("notify.OnChanged " + std::to_string(id)); }

  // IPropertyPageSite: the property frame's side of the control's page
  STDMETHODIMP OnStatusChange(DWORD flags) override { return Logged("pagesite.OnStatusChange " + std::to_string(flags)); }
  STDMETHODIMP GetLocaleID(LCID* locale) override {
    *locale = LOCALE_USER_DEFAULT;
    return S_OK;
  }

  // What the control may call but no test looks at.
  PELIKAR_STUBS_6(S_OK, OnShowWindow(BOOL), DiscardUndoState(), DeactivateAndUndo(), SetBorderSpace(LPCBORDERWIDTHS),
                  SetStatusText(LPCOLESTR), EnableModeless(BOOL))
  PELIKAR_STUBS_4(S_OK, OnControlInfoChanged(), LockInPlaceActive(BOOL), OnFocus(BOOL), OnRequestEdit(DISPID))
  PELIKAR_STUBS_3(S_FALSE, TranslateAccelerator(LPMSG, WORD), TranslateAccelerator(MSG*, DWORD),
                  TranslateAccelerator(MSG*))
  PELIKAR_STUBS_6(E_NOTIMPL, GetMoniker(DWORD, DWORD, IMoniker**), RequestNewObjectLayout(), ContextSensitiveHelp(BOOL),
                  Scroll(SIZE), InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS), SetMenu(HMENU, HOLEMENU, HWND))
  PELIKAR_STUBS_6(E_NOTIMPL, RemoveMenus(HMENU), TransformCoords(POINTL*, POINTF*, DWORD), ShowPropertyFrame(),
                  GetTypeInfo(UINT, LCID, ITypeInfo**), GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*),
                  GetPageContainer(IUnknown**))

  // IAdviseSink: the view sink
  STDMETHODIMP_(void) OnDataChange(FORMATETC*, STGMEDIUM*) override {}
  STDMETHODIMP_(void) OnViewChange(DWORD, LONG) override {}
  STDMETHODIMP_(void) OnRename(IMoniker*) override {}
  STDMETHODIMP_(void) OnSave() override {}
  STDMETHODIMP_(void) OnClose() override {}

 private:
  ~TestSite() {
    for (TestObject* object : {extender_, form_, ambients_}) object->Release();
  }
  HRESULT Logged(const std::string& call) {
    log_.push_back(call);
    return S_OK;
  }

  Calls& log_;
  HWND window_;
  TestObject* ambients_ = new TestObject(&log_, "ambient");
  TestObject* form_ = new TestObject(&log_, "form");
  TestObject* extender_ = new TestObject(&log_, "extender");
  ULONG references_ = 1;
};

class ContainerTest : public testing::Test {
 protected:
  void SetUp() override {
    site_->control = control_;
    ASSERT_NE(control_, nullptr);
  }
  void TearDown() override {
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

  // The test's control (or another) as the interface; the control keeps it alive.
  template <class Interface>
  Interface* As(REFIID interfaceId, IUnknown* control = nullptr) {
    Interface* typed = nullptr;
    EXPECT_EQ((control != nullptr ? control : control_)->QueryInterface(interfaceId, reinterpret_cast<void**>(&typed)),
              S_OK);
    if (typed != nullptr) typed->Release();
    return typed;
  }
  // SetClientSite, as a form designer does it first, with UserMode as given.
  void Site(bool userMode, IUnknown* control = nullptr) {
    site_->SetUserMode(userMode);
    ASSERT_EQ(As<IOleObject>(IID_IOleObject, control)->SetClientSite(site_), S_OK);
  }
  HRESULT Put(const wchar_t* property, const Variant& value, IUnknown* control = nullptr) {
    return com_tests::Put(As<IDispatch>(IID_IDispatch, control), property, value);
  }
  // The property's value as "Boolean True", "Integer 0", "Long 5", "String Delphi".
  std::string Get(const wchar_t* property, IUnknown* control = nullptr) {
    const CallResult call = com_tests::Get(As<IDispatch>(IID_IDispatch, control), property);
    const VARTYPE type = V_VT(&call.value);
    const char* kind = type == VT_BOOL ? "Boolean " : type == VT_I2 ? "Integer " : type == VT_I4 ? "Long " : "String ";
    return call.result != S_OK ? "failed" : kind + Narrow(TextOf(call.value));
  }
  Calls Take() { return std::exchange(log_, {}); }  // the calls since the last Take
  IConnectionPoint* Point(REFIID sinkInterface) {  // for the caller to release
    IConnectionPoint* point = nullptr;
    EXPECT_EQ(As<IConnectionPointContainer>(IID_IConnectionPointContainer)->FindConnectionPoint(sinkInterface, &point),
              S_OK);
    return point;
  }

  OcxModule module_;
  Calls log_;
  HWND window_ = CreateWindowExW(0, L"STATIC", L"Form1", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                                 nullptr, nullptr, nullptr);
  TestSite* site_ = new TestSite(log_, window_);
  IUnknown* control_ = module_.New();
};

}  // namespace pelikar::container_tests
