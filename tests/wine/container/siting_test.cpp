// How a container sites the control and what the control asks of it, in order: the
// ambient properties, in-place and UI activation, closing; the parent form reached
// through the extended control; property-change notifications and the event
// interface. (When the caption is touched is the control object's rule, tested
// natively.)
#include <functional>
#include <string>

#include "test_site.h"

namespace pelikar::container_tests {
namespace {

const Calls kCaptionReassigned = {"site.GetExtendedControl", "extender.Get Parent",
                                  "form.Get Caption", "form.Put Caption"};
const Calls kDeactivated = {"frame.SetActiveObject null", "site.OnUIDeactivate",
                            "site.OnInPlaceDeactivate"};
constexpr HRESULT kTypeMismatch = static_cast<HRESULT>(0x800A000D);

class Siting : public ContainerTest {
 protected:
  HRESULT DoVerb(LONG verb) {
    return As<IOleObject>(IID_IOleObject)->DoVerb(verb, nullptr, site_, 0, window_, &site_->position);
  }
};

TEST_F(Siting, DesignerSitesActivatesAndClosesTheControlInOrder) {
  IOleObject* object = As<IOleObject>(IID_IOleObject);
  DWORD status = 0;
  ASSERT_EQ(object->GetMiscStatus(DVASPECT_CONTENT, &status), S_OK);
  EXPECT_EQ(status, 131473u) << "client site first, active when visible, inside-out...";
  Site(false);
  EXPECT_EQ(log_.Take(), (Calls{"ambient.Get UserMode"}));
  ASSERT_EQ(As<IPersistPropertyBag>(IID_IPersistPropertyBag)->InitNew(), S_OK);
  EXPECT_EQ(log_.Take(), Calls{}) << "a new control at design time leaves the form alone";
  EXPECT_EQ(object->SetHostNames(L"Designer", L"Form1"), S_OK);

  EXPECT_EQ(DoVerb(OLEIVERB_INPLACEACTIVATE), S_OK);
  EXPECT_EQ(log_.Take(), (Calls{"site.CanInPlaceActivate", "site.OnInPlaceActivate",
                                "site.GetWindow", "site.GetWindowContext",
                                "site.OnPosRectChange 10,20 72x24"}));
  HWND face = nullptr;
  ASSERT_EQ(As<IOleInPlaceObject>(IID_IOleInPlaceObject)->GetWindow(&face), S_OK);
  EXPECT_EQ(GetParent(face), window_);
  EXPECT_TRUE(GetWindowLongW(face, GWL_STYLE) & WS_VISIBLE) << "shown in the form";

  EXPECT_EQ(DoVerb(OLEIVERB_UIACTIVATE), S_OK);
  EXPECT_EQ(log_.Take(), (Calls{"site.OnUIActivate", "frame.SetActiveObject Pelikar"}));
  EXPECT_EQ(DoVerb(OLEIVERB_INPLACEACTIVATE), S_OK);
  EXPECT_EQ(log_.Take(), Calls{}) << "already active";

  EXPECT_EQ(object->Close(OLECLOSE_SAVEIFDIRTY), S_OK);
  EXPECT_EQ(log_.Take(), kDeactivated) << "nothing changed: nothing to save";
  EXPECT_FALSE(IsWindow(face));
  EXPECT_EQ(object->SetClientSite(nullptr), S_OK);
  EXPECT_EQ(log_.Take(), Calls{});
}

// A changed control is saved (it has no prompt of its own: asked to prompt, it saves);
// a container may deactivate it from within its notifications, or destroy the form
// window first.
TEST_F(Siting, ClosingInEveryState) {
  const struct {
    const char* state;
    DWORD option;
    std::function<void()> prepare;
    Calls expected;
  } cases[] = {
      {"changed", OLECLOSE_SAVEIFDIRTY,
       [this] { ASSERT_EQ(Put(L"MultiLine", Variant::Short(-1)), S_OK); }, {"site.SaveObject"}},
      {"changed, prompt", OLECLOSE_PROMPTSAVE,
       [this] { ASSERT_EQ(Put(L"MultiLine", Variant::Short(-1)), S_OK); }, {"site.SaveObject"}},
      {"deactivated by the site", OLECLOSE_NOSAVE,
       [this] {
         site_->deactivatesOnUIDeactivate = true;
         ASSERT_EQ(DoVerb(OLEIVERB_UIACTIVATE), S_OK);
       },
       kDeactivated},
      {"form window gone", OLECLOSE_NOSAVE,
       [this] {
         ASSERT_EQ(DoVerb(7), OLEOBJ_S_INVALIDVERB) << "activates as the primary verb";
         DestroyWindow(window_);
       },
       kDeactivated},
  };
  for (const auto& testCase : cases) {
    SCOPED_TRACE(testCase.state);
    TearDown();
    SetUp();
    Site(true);
    testCase.prepare();
    log_.Take();
    EXPECT_EQ(As<IOleObject>(IID_IOleObject)->Close(testCase.option), S_OK);
    EXPECT_EQ(log_.Take(), testCase.expected);
  }
}

// A view sink that holds the control, as a container's sink object may: only the
// control's letting go of it at Close breaks the circle (the fixture checks that the
// control is freed).
class HoldingSink final : public IAdviseSink, private Counted {
 public:
  explicit HoldingSink(IUnknown* control) : control_(control) { control_->AddRef(); }
  STDMETHODIMP QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  STDMETHODIMP_(ULONG) AddRef() override { return AddReference(); }
  STDMETHODIMP_(ULONG) Release() override { return ReleaseReference(); }
  STDMETHODIMP_(void) OnDataChange(FORMATETC*, STGMEDIUM*) override {}
  STDMETHODIMP_(void) OnViewChange(DWORD, LONG) override {}
  STDMETHODIMP_(void) OnRename(IMoniker*) override {}
  STDMETHODIMP_(void) OnSave() override {}
  STDMETHODIMP_(void) OnClose() override {}

 private:
  ~HoldingSink() override { control_->Release(); }
  IUnknown* control_;
};

TEST_F(Siting, ClosingLetsGoOfTheViewSink) {
  Site(true);
  auto* sink = new HoldingSink(control_);
  IViewObject2* view = As<IViewObject2>(IID_IViewObject2);
  ASSERT_EQ(view->SetAdvise(DVASPECT_CONTENT, 0, sink), S_OK);
  sink->Release();
  EXPECT_EQ(As<IOleObject>(IID_IOleObject)->Close(OLECLOSE_NOSAVE), S_OK);
  IAdviseSink* held = sink;
  EXPECT_EQ(view->GetAdvise(nullptr, nullptr, &held), S_OK);
  EXPECT_EQ(held, nullptr);
}

// A container without an extended control shows no form; one without ambient
// properties (Wine's ATL container) runs. (A form without a caption is the control
// object's case, tested natively.)
TEST_F(Siting, ContainersWithLessObjects) {
  site_->offersExtendedControl = false;
  site_->offersAmbients = false;
  Site(false);
  EXPECT_EQ(log_.Take(), Calls{});
  ASSERT_EQ(As<IPersistStreamInit>(IID_IPersistStreamInit)->InitNew(), S_OK);
  EXPECT_EQ(log_.Take(), (Calls{"site.GetExtendedControl"})) << "UserMode taken as run time";
}

// A change of UserMode is heard through IOleControl (any change: DISPID_UNKNOWN); the
// control reassigns the caption only at design time.
TEST_F(Siting, AmbientChangesAreHeardThroughIOleControl) {
  Site(false);
  for (DISPID changed : {DISPID_AMBIENT_USERMODE, DISPID_UNKNOWN}) {
    const bool userMode = changed == DISPID_AMBIENT_USERMODE;  // run time, then design time
    site_->SetUserMode(userMode);
    log_.Take();
    EXPECT_EQ(As<IOleControl>(IID_IOleControl)->OnAmbientPropertyChange(changed), S_OK);
    EXPECT_EQ(log_.Take(), (Calls{"ambient.Get UserMode"}));
    ASSERT_EQ(Put(L"Farsi", Variant::Short(0)), S_OK);
    EXPECT_EQ(log_.Take(), userMode ? Calls{} : kCaptionReassigned);
  }
}

class Notification : public ContainerTest {
 protected:
  IConnectionPoint* Point(REFIID sinkInterface) {
    IConnectionPoint* point = nullptr;
    EXPECT_EQ(As<IConnectionPointContainer>(IID_IConnectionPointContainer)
                  ->FindConnectionPoint(sinkInterface, &point), S_OK);
    return point;
  }
};

// A write notifies its property (which one each property notifies is the control
// object's rule, tested natively) and marks the control changed; a refused value is
// no change; an object assigned with Let stands for its default value, as in the
// host's own assignments: the control never keeps (nor would save) a host's object.
TEST_F(Notification, EachPropertyWriteNotifiesItsProperty) {
  Site(true);
  IConnectionPoint* point = Point(IID_IPropertyNotifySink);
  ASSERT_NE(point, nullptr);
  DWORD cookie = 0;
  ASSERT_EQ(point->Advise(static_cast<IPropertyNotifySink*>(site_), &cookie), S_OK);
  log_.Take();
  EXPECT_EQ(As<IPersistStreamInit>(IID_IPersistStreamInit)->IsDirty(), S_FALSE);
  auto* textBox = new TestObject(log_, "textBox");
  textBox->Set(L"Value", *Variant::Text(L"Delphi").get());
  VARIANT object = *com_tests::Object(textBox).get();  // the script's variable
  const Variant assigned = Variant::Reference(&object);
  const struct {
    const wchar_t* property;
    const Variant& value;
    HRESULT result;
    Calls notified;
  } writes[] = {
      {L"Farsi", Variant::Short(-1), S_OK, {"notify.OnChanged 1"}},
      {L"Environment", assigned, S_OK, {"textBox.Get Value", "notify.OnChanged 42"}},
      {L"CodePage", Variant::Text(L"Ir"), kTypeMismatch, {}},
      {L"CodePage", assigned, kTypeMismatch, {"textBox.Get Value"}},
      {L"Environment", com_tests::Object(nullptr), static_cast<HRESULT>(0x800A005B), {}},
  };
  for (const auto& write : writes) {
    EXPECT_EQ(Put(write.property, write.value), write.result) << Narrow(write.property);
    EXPECT_EQ(log_.Take(), write.notified) << Narrow(write.property);
  }
  EXPECT_EQ(Get(L"Environment"), "String Delphi");
  EXPECT_EQ(As<IPersistStreamInit>(IID_IPersistStreamInit)->IsDirty(), S_OK);
  VariantClear(&object);
  textBox->Release();

  EXPECT_EQ(point->Unadvise(cookie), S_OK);
  EXPECT_EQ(point->Unadvise(cookie), CONNECT_E_NOCONNECTION);
  ASSERT_EQ(Put(L"MultiLine", Variant::Short(-1)), S_OK);
  EXPECT_EQ(log_.Take(), Calls{});
  point->Release();
}

TEST_F(Notification, TheEventInterfaceTakesSinksAndRaisesNothing) {
  Site(true);
  IConnectionPoint* events = Point(com_tests::kPelikarEvents);
  ASSERT_NE(events, nullptr);
  auto* sink = new TestObject(log_, "events");
  DWORD cookie = 0, refused = 1;
  ASSERT_EQ(events->Advise(static_cast<IDispatch*>(sink), &cookie), S_OK) << "a plain IDispatch sink, as scripts give";
  IConnectionPoint* notifications = Point(IID_IPropertyNotifySink);
  EXPECT_EQ(notifications->Advise(static_cast<IDispatch*>(sink), &refused), CONNECT_E_CANNOTCONNECT);
  EXPECT_EQ(refused, 0u);
  notifications->Release();
  log_.Take();
  ASSERT_EQ(As<IPersistPropertyBag>(IID_IPersistPropertyBag)->InitNew(), S_OK);
  ASSERT_EQ(Put(L"Environment", Variant::Short(3)), S_OK);
  EXPECT_EQ(log_.Take(), kCaptionReassigned) << "no event reached the sink";
  EXPECT_EQ(events->Unadvise(cookie), S_OK);
  events->Release();
  EXPECT_EQ(sink->Release(), 0u) << "the control let go of the sink";
}

}  // namespace
}  // namespace pelikar::container_tests
