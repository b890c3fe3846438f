// The control in containers: a form designer's, written for the tests (test_site.h),
// and the property frame's page site. (Wine's ATL container hosts it in Pelikar Pad,
// which the end-to-end test types into.)
#include <string>
#include <tuple>
#include <vector>

#include "../dialog_windows.h"
#include "test_site.h"

namespace pelikar::container_tests {
namespace {

// How a form designer sites the control and what the control asks of it, in order:
// the ambient properties, in-place and UI activation, a resize, property-change
// notifications and the parent form reached through the extended control, a change
// of UserMode, the event interface, closing. (When the caption is touched and which
// property each write notifies are the control object's rules, tested natively.)

class Siting : public ContainerTest {
 protected:
  HRESULT DoVerb(LONG verb) {
    return As<IOleObject>(IID_IOleObject)->DoVerb(verb, nullptr, site_, 0, window_, &site_->position);
  }
};

TEST_F(Siting, TheDesignersSequence) {
  IOleObject* object = As<IOleObject>(IID_IOleObject);
  Site(false);
  EXPECT_EQ(Take(), (Calls{"ambient.Get UserMode"}));
  ASSERT_EQ(As<IPersistPropertyBag>(IID_IPersistPropertyBag)->InitNew(), S_OK);
  EXPECT_EQ(Take(), Calls{}) << "a new control at design time leaves the form alone";

  // The property sink, an event sink (a plain IDispatch, as scripts give) and the view
  // sink, which the control must let go at Close (the fixture checks that it gave back
  // every reference to the site).
  IConnectionPoint* notifications = Point(IID_IPropertyNotifySink);
  IConnectionPoint* events = Point(kPelikarEvents);
  ASSERT_TRUE(notifications != nullptr && events != nullptr);
  auto* eventSink = new TestObject(&log_, "events");
  DWORD cookie = 0, eventCookie = 0;
  ASSERT_EQ(notifications->Advise(static_cast<IPropertyNotifySink*>(site_), &cookie), S_OK);
  ASSERT_EQ(events->Advise(static_cast<IDispatch*>(eventSink), &eventCookie), S_OK);
  IViewObject2* view = As<IViewObject2>(IID_IViewObject2);
  ASSERT_EQ(view->SetAdvise(DVASPECT_CONTENT, 0, static_cast<IAdviseSink*>(site_)), S_OK);

  EXPECT_EQ(DoVerb(OLEIVERB_INPLACEACTIVATE), S_OK);
  EXPECT_EQ(Take(), (Calls{"site.CanInPlaceActivate", "site.OnInPlaceActivate",
                                "site.GetWindow", "site.GetWindowContext",
                                "site.OnPosRectChange 10,20 72x24"}));
  HWND face = nullptr;
  IOleInPlaceObject* inPlace = As<IOleInPlaceObject>(IID_IOleInPlaceObject);
  ASSERT_EQ(inPlace->GetWindow(&face), S_OK);
  EXPECT_EQ(GetParent(face), window_);
  EXPECT_TRUE(GetWindowLongW(face, GWL_STYLE) & WS_VISIBLE) << "shown in the form";
  const RECT stretched{30, 40, 330, 340};
  EXPECT_EQ(inPlace->SetObjectRects(&stretched, &stretched), S_OK);
  EXPECT_EQ(Take(), (Calls{"site.OnPosRectChange 30,40 72x24"})) << "the face keeps its size";
  EXPECT_EQ(DoVerb(OLEIVERB_UIACTIVATE), S_OK);
  EXPECT_EQ(Take(), (Calls{"site.OnUIActivate", "frame.SetActiveObject Pelikar"}));

  // Writes at design time: a change is notified, Farsi's names the form; an object assigned
  // with Let stands for its default value (the control never keeps a host's object);
  // a refused value is no change. No event reaches the event sink.
  auto* textBox = new TestObject(&log_, "textBox");
  textBox->Set(L"Value", L"Delphi");
  VARIANT variable;  // the script's variable, which holds the text box
  V_VT(&variable) = VT_DISPATCH;
  V_DISPATCH(&variable) = textBox;
  ASSERT_EQ(Put(L"Farsi", I2(0)), S_OK);
  EXPECT_EQ(Take(), (Calls{"notify.OnChanged 1", "site.GetExtendedControl", "extender.Get Parent",
                           "form.Get Caption", "form.Put Caption"}));
  EXPECT_EQ(Put(L"Environment", Variant(&variable)), S_OK);
  EXPECT_EQ(Take(), (Calls{"textBox.Get Value", "notify.OnChanged 42"}));
  VariantClear(&variable);
  EXPECT_EQ(Get(L"Environment"), "String Delphi");
  EXPECT_EQ(Put(L"CodePage", L"Ir"), static_cast<HRESULT>(0x800A000D));
  EXPECT_EQ(Take(), Calls{});

  // The container's UserMode changes (any ambient: DISPID_UNKNOWN) to run time.
  site_->SetUserMode(true);
  EXPECT_EQ(As<IOleControl>(IID_IOleControl)->OnAmbientPropertyChange(DISPID_UNKNOWN), S_OK);
  ASSERT_EQ(Put(L"Farsi", I2(-1)), S_OK);
  EXPECT_EQ(Take(), (Calls{"ambient.Get UserMode", "notify.OnChanged 1"})) << "the form left alone";

  // Changed: saved at Close, and every sink let go.
  EXPECT_EQ(object->Close(OLECLOSE_PROMPTSAVE), S_OK);
  EXPECT_EQ(Take(), (Calls{"frame.SetActiveObject null", "site.OnUIDeactivate", "site.OnInPlaceDeactivate",
                                "site.SaveObject"}));
  EXPECT_FALSE(IsWindow(face));
  IAdviseSink* held = site_;
  EXPECT_EQ(view->GetAdvise(nullptr, nullptr, &held), S_OK);
  EXPECT_EQ(held, nullptr);
  EXPECT_EQ(notifications->Unadvise(cookie), S_OK);
  EXPECT_EQ(events->Unadvise(eventCookie), S_OK);
  notifications->Release();
  events->Release();
  EXPECT_EQ(eventSink->Release(), 0u) << "the control let go of the event sink";
  EXPECT_EQ(object->SetClientSite(nullptr), S_OK);
  EXPECT_EQ(Take(), Calls{});
}

// The control's four properties saved and loaded through a container's property bag
// and a stream: the values in their types, the Scroll Lock entry that loading
// switches, two controls one after the other in one stream, and the dirty flag. (The
// order of the values, the stream's bytes and what loading makes of missing, odd or
// damaged values are the control object's rules, tested natively.)
using Persistence = ContainerTest;

TEST_F(Persistence, SavedPropertiesComeBackThroughABagAndAStream) {
  // Farsi False, CodePage 2 (kept as 0), MultiLine True, Environment 5; and the defaults.
  const std::vector<std::string> changed = {"Boolean False", "Integer 0", "Boolean True", "Long 5"},
                                 defaults = {"Boolean True", "Integer 0", "Boolean False", "Integer 0"};
  auto properties = [this](IUnknown* control) {
    return std::vector<std::string>{Get(L"Farsi", control), Get(L"CodePage", control), Get(L"MultiLine", control),
                                    Get(L"Environment", control)};
  };
  IPersistStreamInit* first = As<IPersistStreamInit>(IID_IPersistStreamInit);
  ASSERT_EQ(first->InitNew(), S_OK);
  ASSERT_EQ(Put(L"Farsi", I2(0)), S_OK);
  ASSERT_EQ(Put(L"CodePage", I2(2)), S_OK);
  ASSERT_EQ(Put(L"MultiLine", I2(-1)), S_OK);
  ASSERT_EQ(Put(L"Environment", I4(5)), S_OK);
  TestObject* bag = new TestObject(&log_, "bag");
  ASSERT_EQ(As<IPersistPropertyBag>(IID_IPersistPropertyBag)->Save(bag, FALSE, TRUE), S_OK);

  // Loading switches the thread's Persian mode (Scroll Lock) to the saved one.
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_SCROLL] = 0xFF;
  SetKeyboardState(keys);
  IUnknown* loaded = module_.New();
  ASSERT_EQ(As<IPersistPropertyBag>(IID_IPersistPropertyBag, loaded)->Load(bag, nullptr), S_OK);
  EXPECT_EQ(properties(loaded), changed);
  EXPECT_EQ(As<IPersistStreamInit>(IID_IPersistStreamInit, loaded)->IsDirty(), S_FALSE);
  GetKeyboardState(keys);
  EXPECT_EQ(keys[VK_SCROLL], 0) << "saved with Farsi False";
  EXPECT_EQ(loaded->Release(), 0u);
  bag->Release();

  // The changed control, then a new one, into one stream; saving clears the dirty
  // flag only when asked to. Each reads back just its own bytes.
  IUnknown* second = module_.New();
  IPersistStreamInit* secondPersist = As<IPersistStreamInit>(IID_IPersistStreamInit, second);
  ASSERT_EQ(secondPersist->InitNew(), S_OK);
  IStream* stream = nullptr;
  ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
  ASSERT_EQ(first->Save(stream, FALSE), S_OK);
  EXPECT_EQ(first->IsDirty(), S_OK) << "saved without clearing";
  ASSERT_EQ(secondPersist->Save(stream, TRUE), S_OK);
  EXPECT_EQ(secondPersist->IsDirty(), S_FALSE);
  EXPECT_EQ(second->Release(), 0u);
  ASSERT_EQ(stream->Seek({}, STREAM_SEEK_SET, nullptr), S_OK);
  for (const std::vector<std::string>& expected : {changed, defaults}) {
    IUnknown* control = module_.New();
    ASSERT_EQ(As<IPersistStreamInit>(IID_IPersistStreamInit, control)->Load(stream), S_OK);
    EXPECT_EQ(properties(control), expected);
    EXPECT_EQ(control->Release(), 0u);
  }
  ULARGE_INTEGER end{};
  EXPECT_EQ(stream->Seek({}, STREAM_SEEK_CUR, &end), S_OK);
  EXPECT_EQ(end.QuadPart, 0x38u + 4 + 0x36 + 4) << "each read just its own bytes";
  stream->Release();
}

// The control's face: the fixed size it tells a container (every resize snaps back to
// it: the siting test), and the picture it draws into a container's device context,
// a 32-bit DIB of that size: a frame of ink, paper inside, and the name written in ink.
using Face = ContainerTest;

TEST_F(Face, DrawsAFramedNameIntoABitmapOfItsSize) {
  constexpr int kWidth = 72, kHeight = 24;  // pixels; 1905 x 635 in 0.01 mm at 96 dots per inch
  SIZEL size{5000, 5000};
  EXPECT_EQ(As<IOleObject>(IID_IOleObject)->SetExtent(DVASPECT_CONTENT, &size), S_OK);
  IViewObject2* view = As<IViewObject2>(IID_IViewObject2);
  ASSERT_EQ(view->GetExtent(DVASPECT_CONTENT, -1, nullptr, &size), S_OK);
  EXPECT_EQ(size.cx * 10000 + size.cy, 1905 * 10000 + 635) << "whatever a container asks for";
  BITMAPINFO info{{sizeof info.bmiHeader, kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
  DWORD* pixels = nullptr;  // 0x00RRGGBB
  const HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&pixels), nullptr, 0);
  const HDC dc = CreateCompatibleDC(nullptr);
  const HGDIOBJ previous = SelectObject(dc, bitmap);
  const RECTL bounds{0, 0, kWidth, kHeight};
  const std::tuple<DWORD, LONG, HRESULT> draws[] = {
      {DVASPECT_ICON, -1, DV_E_DVASPECT}, {DVASPECT_CONTENT, 0, DV_E_LINDEX}, {DVASPECT_CONTENT, -1, S_OK}};
  for (auto [aspect, index, expected] : draws) {
    EXPECT_EQ(view->Draw(aspect, index, nullptr, nullptr, nullptr, dc, &bounds, nullptr, nullptr, 0), expected);
  }
  GdiFlush();
  int frame = 0, paper = 0, written = 0;
  for (int at = 0; at < kWidth * kHeight; ++at) {
    const int x = at % kWidth, y = at / kWidth;
    const DWORD colour = pixels[at] & 0xFFFFFF;
    if (x == 0 || y == 0 || x == kWidth - 1 || y == kHeight - 1) frame += colour == 0x003399;  // RGB(0, 51, 153)
    else (colour == 0xFFFFFF ? paper : written) += 1;
  }
  EXPECT_EQ(frame, 2 * (kWidth + kHeight) - 4);
  EXPECT_GT(paper, written) << "mostly paper";
  EXPECT_GT(written, 30) << "the name is written";
  DeleteObject(SelectObject(dc, previous));
  DeleteDC(dc);
}

// The control's property page as a form designer uses it, through IPropertyPage2 with
// the recording site as its page site: what it marks dirty as the developer changes
// its real controls, what it writes back and the notifications the control sends then.
// (What it shows and how its controls follow each other is the portable suite's; the
// system's property frame shows it in the page screenshot.)

// The page's controls, as a client knows them.
constexpr int kHostListId = 1002, kEnvironmentTextId = 1003;
constexpr int kIrOptionId = 1008, kCodePageTextId = 1009;

std::wstring ItemText(HWND page, int id) { return WindowText(GetDlgItem(page, id)); }

// Changes a designer makes, and what the control tells its container when the page
// writes them back: Environment, MultiLine, Farsi (which touches the form's caption
// at design time), then CodePage.
const Calls kApplied = {"notify.OnChanged 42",    "notify.OnChanged 9",  "notify.OnChanged 1",
                        "site.GetExtendedControl", "extender.Get Parent", "form.Get Caption",
                        "form.Put Caption",        "notify.OnChanged 2"};

using PropertyPage = ContainerTest;

TEST_F(PropertyPage, ReadsChangesAndWritesTheFirstControl) {
  Site(false);
  ASSERT_EQ(As<IPersistPropertyBag>(IID_IPersistPropertyBag)->InitNew(), S_OK);
  IConnectionPoint* notifications = Point(IID_IPropertyNotifySink);
  DWORD cookie = 0;
  ASSERT_EQ(notifications->Advise(static_cast<IPropertyNotifySink*>(site_), &cookie), S_OK);
  ASSERT_EQ(Put(L"Environment", I2(9)), S_OK);
  ASSERT_EQ(Put(L"MultiLine", I2(-1)), S_OK);
  IUnknown* second = module_.New();
  ASSERT_EQ(Put(L"Environment", I2(5), second), S_OK);
  IPropertyPage2* page = module_.New<IPropertyPage2>(kPropertyPageClass, IID_IPropertyPage2);
  ASSERT_NE(page, nullptr);
  ASSERT_EQ(page->SetPageSite(static_cast<IPropertyPageSite*>(site_)), S_OK);
  IUnknown* objects[] = {control_, second};
  ASSERT_EQ(page->SetObjects(2, objects), S_OK);

  const RECT at{0, 0, 400, 300};
  ASSERT_EQ(page->Activate(window_, &at, TRUE), S_OK);
  ASSERT_EQ(page->Show(SW_SHOW), S_OK);
  const HWND shown = FindWindowExW(window_, nullptr, L"#32770", nullptr);
  ASSERT_NE(shown, nullptr);

  EXPECT_EQ(ItemText(shown, kEnvironmentTextId) + L" " + ItemText(shown, kHostListId), L"9 0 Visual Basic");
  EXPECT_EQ(page->IsPageDirty(), S_FALSE) << "nothing changed yet";
  Take();

  // The developer picks the third host and the Ir code page.
  const HWND hosts = GetDlgItem(shown, kHostListId);
  PostMessageW(hosts, CB_SETCURSEL, 2, 0);
  PostMessageW(shown, WM_COMMAND, MAKEWPARAM(kHostListId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(hosts));
  PostMessageW(GetDlgItem(shown, kIrOptionId), BM_CLICK, 0, 0);
  Pump(100);
  EXPECT_EQ(ItemText(shown, kEnvironmentTextId) + L" " + ItemText(shown, kCodePageTextId), L"2 1");
  EXPECT_EQ(page->IsPageDirty(), S_OK);
  EXPECT_EQ(Take(), (Calls{"pagesite.OnStatusChange 1", "pagesite.OnStatusChange 1"}));

  ASSERT_EQ(page->Apply(), S_OK);
  EXPECT_EQ(Take(), kApplied);
  EXPECT_EQ(page->IsPageDirty(), S_FALSE);
  EXPECT_EQ(Get(L"Environment") + " " + Get(L"CodePage"), "String 2 String 1");
  EXPECT_EQ(Get(L"Environment", second), "Integer 5") << "only the first is written";

  // A code page that is no number: the control refuses it, the page stays dirty.
  SetWindowTextW(GetDlgItem(shown, kCodePageTextId), L"Nivo");
  EXPECT_EQ(page->Apply(), static_cast<HRESULT>(0x800A000D));
  EXPECT_EQ(page->IsPageDirty(), S_OK);
  EXPECT_EQ(Get(L"CodePage"), "String 1");


  ASSERT_EQ(page->Deactivate(), S_OK);
  EXPECT_FALSE(IsWindow(shown));
  EXPECT_EQ(page->SetObjects(0, nullptr), S_OK);
  EXPECT_EQ(page->SetPageSite(nullptr), S_OK);
  EXPECT_EQ(page->Release(), 0u);
  EXPECT_EQ(second->Release(), 0u);
  EXPECT_EQ(notifications->Unadvise(cookie), S_OK);
  notifications->Release();
}

}  // namespace
}  // namespace pelikar::container_tests
