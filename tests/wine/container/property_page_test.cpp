// The control's property page as a form designer uses it, through IPropertyPage2 with
// the recording site as its page site: what it marks dirty as the developer changes its real
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

std::wstring TextOf(HWND page, int id) { return com_tests::WindowText(GetDlgItem(page, id)); }

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
  IConnectionPoint* notifications = nullptr;
  DWORD cookie = 0;
  ASSERT_EQ(As<IConnectionPointContainer>(IID_IConnectionPointContainer)
                ->FindConnectionPoint(IID_IPropertyNotifySink, &notifications), S_OK);
  ASSERT_EQ(notifications->Advise(static_cast<IPropertyNotifySink*>(site_), &cookie), S_OK);
  ASSERT_EQ(Put(L"Environment", Variant::Short(9)), S_OK);
  ASSERT_EQ(Put(L"MultiLine", Variant::Short(-1)), S_OK);
  IUnknown* second = NewControl();
  ASSERT_EQ(Put(L"Environment", Variant::Short(5), second), S_OK);
  IPropertyPage2* page = module_.New<IPropertyPage2>(com_tests::kPropertyPageClass, IID_IPropertyPage2);
  ASSERT_NE(page, nullptr);
  ASSERT_EQ(page->SetPageSite(static_cast<IPropertyPageSite*>(site_)), S_OK);
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

  // The developer picks the third host and the Ir code page.
  const HWND hosts = GetDlgItem(shown, kHostListId);
  PostMessageW(hosts, CB_SETCURSEL, 2, 0);
  PostMessageW(shown, WM_COMMAND, MAKEWPARAM(kHostListId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(hosts));
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
  EXPECT_EQ(second->Release(), 0u);
  EXPECT_EQ(notifications->Unadvise(cookie), S_OK);
  notifications->Release();
}

}  // namespace
}  // namespace pelikar::container_tests
