// The control's property page as a form designer uses it, through IPropertyPage2 with
// a recording page site: what it marks dirty as the developer changes its real
// controls, what it writes back and the notifications the control sends then. (What
// it shows and how its controls follow each other is the portable suite's; the
// system's property frame shows it in the page screenshot.)
#include <windows.h>
#include <ocidl.h>

#include <string>

#include "../dialog_windows.h"
#include "test_site.h"

namespace pelikar::container_tests {
namespace {

// The page's controls, as a client knows them.
constexpr int kHostListId = 1002, kEnvironmentTextId = 1003, kFarsiId = 1004, kMultiLineId = 1005;
constexpr int kIrOptionId = 1008, kCodePageTextId = 1009;

// The frame's side of the page: it records what the page tells it.
class TestPageSite final : public IPropertyPageSite, private Counted {
 public:
  explicit TestPageSite(CallLog& log) : log_(log) {}
  STDMETHODIMP QueryInterface(REFIID interfaceId, void** object) override {
    const bool known = IsEqualIID(interfaceId, IID_IUnknown) || IsEqualIID(interfaceId, IID_IPropertyPageSite);
    *object = known ? this : nullptr;
    if (*object != nullptr) AddRef();
    return *object != nullptr ? S_OK : E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return AddReference(); }
  STDMETHODIMP_(ULONG) Release() override { return ReleaseReference(); }
  STDMETHODIMP OnStatusChange(DWORD flags) override {
    log_.Add("pagesite.OnStatusChange " + std::to_string(flags));
    return S_OK;
  }
  STDMETHODIMP GetLocaleID(LCID* locale) override {
    *locale = LOCALE_USER_DEFAULT;
    return S_OK;
  }
  STDMETHODIMP GetPageContainer(IUnknown**) override { return E_NOTIMPL; }
  STDMETHODIMP TranslateAccelerator(MSG*) override { return S_FALSE; }

 private:
  CallLog& log_;
};

std::wstring TextOf(HWND page, int id) { return com_tests::WindowText(GetDlgItem(page, id)); }

// The developer picks an entry of the host list.
void PickHost(HWND page, int index) {
  const HWND hosts = GetDlgItem(page, kHostListId);
  PostMessageW(hosts, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  PostMessageW(page, WM_COMMAND, MAKEWPARAM(kHostListId, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(hosts));
}

// Changes a designer makes, and what the control tells its container when the page
// writes them back: Environment, MultiLine, Farsi (which touches the form's caption
// at design time), then CodePage.
const Calls kApplied = {"notify.OnChanged 42",    "notify.OnChanged 9",  "notify.OnChanged 1",
                        "site.GetExtendedControl", "extender.Get Parent", "form.Get Caption",
                        "form.Put Caption",        "notify.OnChanged 2"};

class PropertyPage : public ContainerTest {
 protected:
  void SetUp() override {
    ContainerTest::SetUp();
    Site(false);
    ASSERT_EQ(As<IPersistPropertyBag>(IID_IPersistPropertyBag)->InitNew(), S_OK);
    ASSERT_EQ(As<IConnectionPointContainer>(IID_IConnectionPointContainer)
                  ->FindConnectionPoint(IID_IPropertyNotifySink, &notifications_),
              S_OK);
    ASSERT_EQ(notifications_->Advise(static_cast<IPropertyNotifySink*>(site_), &cookie_), S_OK);
  }
  void TearDown() override {
    if (notifications_ != nullptr) {
      EXPECT_EQ(notifications_->Unadvise(cookie_), S_OK);
      notifications_->Release();
    }
    ContainerTest::TearDown();
  }

  IConnectionPoint* notifications_ = nullptr;
  DWORD cookie_ = 0;
};

TEST_F(PropertyPage, ReadsChangesAndWritesTheFirstControl) {
  ASSERT_EQ(Put(L"Environment", Variant::Short(9)), S_OK);
  ASSERT_EQ(Put(L"MultiLine", Variant::Short(-1)), S_OK);
  IUnknown* second = NewControl();
  ASSERT_EQ(Put(L"Environment", Variant::Short(5), second), S_OK);
  IPropertyPage2* page = module_.New<IPropertyPage2>(com_tests::kPropertyPageClass, IID_IPropertyPage2);
  ASSERT_NE(page, nullptr);
  auto* pageSite = new TestPageSite(log_);
  ASSERT_EQ(page->SetPageSite(pageSite), S_OK);
  IUnknown* objects[] = {control_, second};
  ASSERT_EQ(page->SetObjects(2, objects), S_OK);

  const RECT at{0, 0, 400, 300};
  ASSERT_EQ(page->Activate(window_, &at, TRUE), S_OK);
  ASSERT_EQ(page->Show(SW_SHOW), S_OK);
  const HWND shown = FindWindowExW(window_, nullptr, L"#32770", nullptr);
  ASSERT_NE(shown, nullptr);

  EXPECT_EQ(TextOf(shown, kEnvironmentTextId) + L" " + TextOf(shown, kHostListId), L"9 0 Visual Basic");
  EXPECT_EQ(page->IsPageDirty(), S_FALSE) << "nothing changed yet";
  log_.Take();

  PickHost(shown, 2);
  PostMessageW(GetDlgItem(shown, kIrOptionId), BM_CLICK, 0, 0);
  com_tests::Pump(100);
  EXPECT_EQ(TextOf(shown, kEnvironmentTextId) + L" " + TextOf(shown, kCodePageTextId), L"2 1");
  EXPECT_EQ(page->IsPageDirty(), S_OK);
  EXPECT_EQ(log_.Take(), (Calls{"pagesite.OnStatusChange 1", "pagesite.OnStatusChange 1"}));

  ASSERT_EQ(page->Apply(), S_OK);
  EXPECT_EQ(log_.Take(), kApplied);
  EXPECT_EQ(page->IsPageDirty(), S_FALSE);
  EXPECT_EQ(Get(L"Environment") + " " + Get(L"CodePage"), "String 2 String 1");
  EXPECT_EQ(Get(L"Environment", second), "Integer 5") << "only the first is written";

  // A code page that is no number: the control refuses it, the page stays dirty.
  SetWindowTextW(GetDlgItem(shown, kCodePageTextId), L"Nivo");
  EXPECT_EQ(page->Apply(), static_cast<HRESULT>(0x800A000D));
  EXPECT_EQ(page->IsPageDirty(), S_OK);
  EXPECT_EQ(Get(L"CodePage"), "String 1");

  // The designer's keys: a property to edit takes the focus, Tab moves on.
  EXPECT_EQ(page->EditProperty(1), S_OK);
  EXPECT_EQ(GetFocus(), GetDlgItem(shown, kFarsiId));
  MSG tab{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
  EXPECT_EQ(page->TranslateAccelerator(&tab), S_OK);
  EXPECT_EQ(GetFocus(), GetDlgItem(shown, kMultiLineId));

  ASSERT_EQ(page->Deactivate(), S_OK);
  EXPECT_FALSE(IsWindow(shown));
  EXPECT_EQ(page->SetObjects(0, nullptr), S_OK);
  EXPECT_EQ(page->SetPageSite(nullptr), S_OK);
  EXPECT_EQ(page->Release(), 0u);
  EXPECT_EQ(pageSite->Release(), 0u) << "the page gave its site back";
  EXPECT_EQ(second->Release(), 0u);
}

}  // namespace
}  // namespace pelikar::container_tests
