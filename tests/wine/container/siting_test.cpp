// How a form designer sites the control and what the control asks of it, in order:
// the ambient properties, in-place and UI activation, a resize, property-change
// notifications and the parent form reached through the extended control, a change
// of UserMode, the event interface, closing. (When the caption is touched and which
// property each write notifies are the control object's rules, tested natively.)
#include <string>

#include "test_site.h"

namespace pelikar::container_tests {
namespace {

const Calls kCaptionReassigned = {"site.GetExtendedControl", "extender.Get Parent",
                                  "form.Get Caption", "form.Put Caption"};

class Siting : public ContainerTest {
 protected:
  HRESULT DoVerb(LONG verb) {
    return As<IOleObject>(IID_IOleObject)->DoVerb(verb, nullptr, site_, 0, window_, &site_->position);
  }
  IConnectionPoint* Point(REFIID sinkInterface) {
    IConnectionPoint* point = nullptr;
    EXPECT_EQ(As<IConnectionPointContainer>(IID_IConnectionPointContainer)
                  ->FindConnectionPoint(sinkInterface, &point), S_OK);
    return point;
  }
};

TEST_F(Siting, TheDesignersSequence) {
  IOleObject* object = As<IOleObject>(IID_IOleObject);
  DWORD status = 0;
  ASSERT_EQ(object->GetMiscStatus(DVASPECT_CONTENT, &status), S_OK);
  EXPECT_EQ(status, 131473u) << "client site first, active when visible, inside-out...";
  Site(false);
  EXPECT_EQ(log_.Take(), (Calls{"ambient.Get UserMode"}));
  ASSERT_EQ(As<IPersistPropertyBag>(IID_IPersistPropertyBag)->InitNew(), S_OK);
  EXPECT_EQ(log_.Take(), Calls{}) << "a new control at design time leaves the form alone";

  // The property sink, an event sink (a plain IDispatch, as scripts give; the wrong
  // interface for the property sink) and the view sink, which the control must let go
  // at Close (the fixture checks that it gave back every reference to the site).
  IConnectionPoint* notifications = Point(IID_IPropertyNotifySink);
  IConnectionPoint* events = Point(com_tests::kPelikarEvents);
  ASSERT_TRUE(notifications != nullptr && events != nullptr);
  auto* eventSink = new TestObject(log_, "events");
  DWORD cookie = 0, eventCookie = 0, refused = 1;
  ASSERT_EQ(notifications->Advise(static_cast<IPropertyNotifySink*>(site_), &cookie), S_OK);
  ASSERT_EQ(events->Advise(static_cast<IDispatch*>(eventSink), &eventCookie), S_OK);
  EXPECT_EQ(notifications->Advise(static_cast<IDispatch*>(eventSink), &refused), CONNECT_E_CANNOTCONNECT);
  EXPECT_EQ(refused, 0u);
  IViewObject2* view = As<IViewObject2>(IID_IViewObject2);
  ASSERT_EQ(view->SetAdvise(DVASPECT_CONTENT, 0, static_cast<IAdviseSink*>(site_)), S_OK);

  EXPECT_EQ(DoVerb(OLEIVERB_INPLACEACTIVATE), S_OK);
  EXPECT_EQ(log_.Take(), (Calls{"site.CanInPlaceActivate", "site.OnInPlaceActivate",
                                "site.GetWindow", "site.GetWindowContext",
                                "site.OnPosRectChange 10,20 72x24"}));
  HWND face = nullptr;
  IOleInPlaceObject* inPlace = As<IOleInPlaceObject>(IID_IOleInPlaceObject);
  ASSERT_EQ(inPlace->GetWindow(&face), S_OK);
  EXPECT_EQ(GetParent(face), window_);
  EXPECT_TRUE(GetWindowLongW(face, GWL_STYLE) & WS_VISIBLE) << "shown in the form";
  const RECT stretched{30, 40, 330, 340};
  EXPECT_EQ(inPlace->SetObjectRects(&stretched, &stretched), S_OK);
  EXPECT_EQ(log_.Take(), (Calls{"site.OnPosRectChange 30,40 72x24"})) << "the face keeps its size";
  EXPECT_EQ(DoVerb(OLEIVERB_UIACTIVATE), S_OK);
  EXPECT_EQ(log_.Take(), (Calls{"site.OnUIActivate", "frame.SetActiveObject Pelikar"}));

  // Writes at design time: a change is notified, Farsi's names the form; an object assigned
  // with Let stands for its default value (the control never keeps a host's object);
  // a refused value is no change. No event reaches the event sink.
  auto* textBox = new TestObject(log_, "textBox");
  textBox->Set(L"Value", *Variant::Text(L"Delphi").get());
  VARIANT variable;  // the script's variable, which holds the text box
  V_VT(&variable) = VT_DISPATCH;
  V_DISPATCH(&variable) = textBox;
  ASSERT_EQ(Put(L"Farsi", Variant::Short(0)), S_OK);
  Calls expected = {"notify.OnChanged 1"};
  expected.insert(expected.end(), kCaptionReassigned.begin(), kCaptionReassigned.end());
  EXPECT_EQ(log_.Take(), expected);
  EXPECT_EQ(Put(L"Environment", Variant::Reference(&variable)), S_OK);
  EXPECT_EQ(log_.Take(), (Calls{"textBox.Get Value", "notify.OnChanged 42"}));
  VariantClear(&variable);
  EXPECT_EQ(Get(L"Environment"), "String Delphi");
  EXPECT_EQ(Put(L"CodePage", Variant::Text(L"Ir")), static_cast<HRESULT>(0x800A000D));
  EXPECT_EQ(log_.Take(), Calls{});

  // The container's UserMode changes (any ambient: DISPID_UNKNOWN) to run time.
  site_->SetUserMode(true);
  EXPECT_EQ(As<IOleControl>(IID_IOleControl)->OnAmbientPropertyChange(DISPID_UNKNOWN), S_OK);
  ASSERT_EQ(Put(L"Farsi", Variant::Short(-1)), S_OK);
  EXPECT_EQ(log_.Take(), (Calls{"ambient.Get UserMode", "notify.OnChanged 1"})) << "the form left alone";

  // Changed: saved at Close, and every sink let go.
  EXPECT_EQ(object->Close(OLECLOSE_PROMPTSAVE), S_OK);
  EXPECT_EQ(log_.Take(), (Calls{"frame.SetActiveObject null", "site.OnUIDeactivate", "site.OnInPlaceDeactivate",
                                "site.SaveObject"}));
  EXPECT_FALSE(IsWindow(face));
  IAdviseSink* held = site_;
  EXPECT_EQ(view->GetAdvise(nullptr, nullptr, &held), S_OK);
  EXPECT_EQ(held, nullptr);
  EXPECT_EQ(notifications->Unadvise(cookie), S_OK);
  EXPECT_EQ(notifications->Unadvise(cookie), CONNECT_E_NOCONNECTION);
  EXPECT_EQ(events->Unadvise(eventCookie), S_OK);
  notifications->Release();
  events->Release();
  EXPECT_EQ(eventSink->Release(), 0u) << "the control let go of the event sink";
  EXPECT_EQ(object->SetClientSite(nullptr), S_OK);
  EXPECT_EQ(log_.Take(), Calls{});
}

}  // namespace
}  // namespace pelikar::container_tests
