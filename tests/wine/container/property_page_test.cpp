// The control's property page as a form designer uses it: directly through
// IPropertyPage2 with a recording page site, and inside the system's property frame
// (OleCreatePropertyFrame) driven by a watcher thread. What the page reads, how its
// controls follow the developer's changes, what it marks dirty, what it writes back
// and the notifications the control sends then.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <string>
#include <vector>

#include "../dialog_windows.h"
#include "container_fixture.h"

namespace pelikar::container_tests {
namespace {

// The page's controls, as a client knows them.
constexpr int kHostListId = 1002;
constexpr int kEnvironmentTextId = 1003;
constexpr int kFarsiId = 1004;
constexpr int kMultiLineId = 1005;
constexpr int kCodePageFrameId = 1006;
constexpr int kNivoOptionId = 1007;
constexpr int kIrOptionId = 1008;
constexpr int kCodePageTextId = 1009;

// The frame's side of the page: it records what the page tells it.
class TestPageSite final : public IPropertyPageSite, private Counted {
 public:
  explicit TestPageSite(CallLog& log) : log_(log) {}
  STDMETHODIMP QueryInterface(REFIID interfaceId, void** object) override {
    if (IsEqualIID(interfaceId, IID_IUnknown) || IsEqualIID(interfaceId, IID_IPropertyPageSite)) {
      *object = static_cast<IPropertyPageSite*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
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

struct Search {
  int id;
  HWND found;
};

BOOL CALLBACK MatchId(HWND child, LPARAM wanted) {
  auto* search = reinterpret_cast<Search*>(wanted);
  if (GetDlgCtrlID(child) != search->id) return TRUE;
  search->found = child;
  return FALSE;
}

HWND FindDescendant(HWND root, int id) {
  Search search{id, nullptr};
  EnumChildWindows(root, MatchId, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring TextOf(HWND page, int id) { return com_tests::WindowText(GetDlgItem(page, id)); }

bool Checked(HWND page, int id) { return IsDlgButtonChecked(page, id) == BST_CHECKED; }

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

  IPropertyPage2* NewPage() {
    IClassFactory* factory = nullptr;
    EXPECT_EQ(module_.GetClassObject(com_tests::kPropertyPageClass, IID_IClassFactory,
                                     reinterpret_cast<void**>(&factory)),
              S_OK);
    if (factory == nullptr) return nullptr;
    IPropertyPage2* page = nullptr;
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IPropertyPage2, reinterpret_cast<void**>(&page)),
              S_OK);
    factory->Release();
    return page;
  }

  IConnectionPoint* notifications_ = nullptr;
  DWORD cookie_ = 0;
};

TEST_F(PropertyPage, ReadsChangesAndWritesTheFirstControl) {
  ASSERT_EQ(Put(L"Environment", Variant::Short(9)), S_OK);
  ASSERT_EQ(Put(L"MultiLine", Variant::Short(-1)), S_OK);
  IUnknown* second = NewControl();
  ASSERT_EQ(Put(L"Environment", Variant::Short(5), second), S_OK);
  IPropertyPage2* page = NewPage();
  ASSERT_NE(page, nullptr);
  auto* pageSite = new TestPageSite(log_);
  ASSERT_EQ(page->SetPageSite(pageSite), S_OK);
  EXPECT_EQ(page->SetPageSite(pageSite), E_UNEXPECTED) << "a site is set already";
  IUnknown* objects[] = {control_, second};
  ASSERT_EQ(page->SetObjects(2, objects), S_OK);

  PROPPAGEINFO info{};
  ASSERT_EQ(page->GetPageInfo(&info), S_OK);
  EXPECT_EQ(std::wstring(info.pszTitle), L"Pelikar");
  EXPECT_GT(info.size.cx, 200);
  EXPECT_GT(info.size.cy, 100);
  CoTaskMemFree(info.pszTitle);
  const RECT at{0, 0, info.size.cx, info.size.cy};
  ASSERT_EQ(page->Activate(window_, &at, TRUE), S_OK);
  EXPECT_EQ(page->Activate(window_, &at, TRUE), E_UNEXPECTED) << "active already";
  ASSERT_EQ(page->Show(SW_SHOW), S_OK);
  const HWND shown = FindWindowExW(window_, nullptr, L"#32770", nullptr);
  ASSERT_NE(shown, nullptr);

  // Environment 9 shows as it is, with the first host selected.
  EXPECT_EQ(TextOf(shown, kEnvironmentTextId), L"9");
  EXPECT_EQ(SendMessageW(GetDlgItem(shown, kHostListId), CB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(TextOf(shown, kHostListId), L"0 Visual Basic");
  EXPECT_TRUE(Checked(shown, kMultiLineId));
  EXPECT_EQ(TextOf(shown, kCodePageTextId), L"0");
  EXPECT_TRUE(Checked(shown, kNivoOptionId));
  EXPECT_EQ(page->IsPageDirty(), S_FALSE) << "nothing changed yet";
  log_.Take();

  PickHost(shown, 2);
  PostMessageW(GetDlgItem(shown, kIrOptionId), BM_CLICK, 0, 0);
  com_tests::Pump(100);
  EXPECT_EQ(TextOf(shown, kEnvironmentTextId), L"2");
  EXPECT_EQ(TextOf(shown, kCodePageTextId), L"1");
  EXPECT_TRUE(Checked(shown, kIrOptionId));
  EXPECT_FALSE(Checked(shown, kNivoOptionId));
  EXPECT_EQ(page->IsPageDirty(), S_OK);
  EXPECT_EQ(log_.Take(), (Calls{"pagesite.OnStatusChange 1", "pagesite.OnStatusChange 1"}));

  ASSERT_EQ(page->Apply(), S_OK);
  EXPECT_EQ(log_.Take(), kApplied);
  EXPECT_EQ(page->IsPageDirty(), S_FALSE);
  EXPECT_EQ(Get(L"Environment"), "String 2");
  EXPECT_EQ(Get(L"CodePage"), "String 1");
  EXPECT_EQ(Get(L"MultiLine"), "Boolean True");
  EXPECT_EQ(Get(L"Environment", second), "Integer 5") << "only the first is written";
  IUnknown* reloaded[] = {control_};
  ASSERT_EQ(page->SetObjects(1, reloaded), S_OK);
  EXPECT_TRUE(Checked(shown, kIrOptionId)) << "read back";

  // A code page that is no number: the control refuses it, the page stays dirty.
  SetWindowTextW(GetDlgItem(shown, kCodePageTextId), L"Nivo");
  EXPECT_TRUE(Checked(shown, kIrOptionId)) << "no number: the options stay";
  EXPECT_EQ(page->Apply(), static_cast<HRESULT>(0x800A000D));
  EXPECT_EQ(page->IsPageDirty(), S_OK);
  EXPECT_EQ(Get(L"CodePage"), "String 1");

  // The conventional answers.
  EXPECT_EQ(page->Help(L"C:\\"), E_NOTIMPL);
  EXPECT_EQ(page->EditProperty(1), S_OK);
  EXPECT_EQ(GetFocus(), GetDlgItem(shown, kFarsiId));
  EXPECT_EQ(page->EditProperty(77), E_NOTIMPL);
  EXPECT_EQ(page->TranslateAccelerator(nullptr), E_POINTER);
  MSG tab{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
  EXPECT_EQ(page->TranslateAccelerator(&tab), S_OK) << "Tab moves between the page's controls";
  EXPECT_EQ(GetFocus(), GetDlgItem(shown, kMultiLineId));
  EXPECT_EQ(page->SetObjects(1, nullptr), E_POINTER);

  ASSERT_EQ(page->Deactivate(), S_OK);
  EXPECT_FALSE(IsWindow(shown));
  EXPECT_EQ(page->Show(SW_SHOW), E_UNEXPECTED);
  EXPECT_EQ(page->SetObjects(0, nullptr), S_OK);
  EXPECT_EQ(page->SetPageSite(nullptr), S_OK);
  EXPECT_EQ(page->Release(), 0u);
  EXPECT_EQ(pageSite->Release(), 0u) << "the page gave its site back";
  EXPECT_EQ(second->Release(), 0u);
}

// The page's default interface, _Property, has no members; a page released while
// active takes its window along.
TEST_F(PropertyPage, ItsDispatchInterfaceIsEmptyAndItsWindowGoesWithIt) {
  IPropertyPage2* page = NewPage();
  ASSERT_NE(page, nullptr);
  const RECT at{0, 0, 300, 200};
  ASSERT_EQ(page->Activate(window_, &at, TRUE), S_OK);
  const HWND shown = FindWindowExW(window_, nullptr, L"#32770", nullptr);
  IDispatch* dispatch = nullptr;
  ASSERT_EQ(page->QueryInterface(com_tests::kPropertyPageInterface,
                                 reinterpret_cast<void**>(&dispatch)),
            S_OK);
  EXPECT_EQ(Call(dispatch, L"Apply", {}).result, DISP_E_UNKNOWNNAME);
  EXPECT_EQ(dispatch->Release(), 1u);
  EXPECT_EQ(page->Release(), 0u);
  EXPECT_FALSE(IsWindow(shown));
}

class PropertyFrame : public PropertyPage {};

// What a designer does: asks the control for its pages and shows them in the system's
// property frame, which reads the control into the page. The developer picks
// "3 visual C" and IranSystem, sees the page follow, and closes the frame. (Wine's
// frame never applies its pages: applying is tested on the page itself above.)
TEST_F(PropertyFrame, ADesignerSeesTheControlInThePropertyFrame) {
  ASSERT_EQ(Put(L"Environment", Variant::Short(6)), S_OK);
  CAUUID pages{};
  ASSERT_EQ(As<ISpecifyPropertyPages>(IID_ISpecifyPropertyPages)->GetPages(&pages), S_OK);
  std::vector<std::wstring> shown;
  bool changed = false;
  com_tests::DialogAnswerer developer(L"#32770", [&](HWND frame, const com_tests::WindowView&) {
    const HWND hosts = FindDescendant(frame, kHostListId);
    if (hosts == nullptr) return false;  // the page is not up yet
    const HWND page = GetParent(hosts);
    const auto read = [&] {
      shown.push_back(TextOf(page, kEnvironmentTextId) + L" " + TextOf(page, kHostListId) + L" " +
                      TextOf(page, kCodePageTextId) +
                      (Checked(page, kIrOptionId) ? L" IranSystem" : L" Nivo"));
    };
    if (!changed) {
      read();
      PickHost(page, 3);
      PostMessageW(GetDlgItem(page, kIrOptionId), BM_CLICK, 0, 0);
      changed = true;
      return false;
    }
    read();
    PostMessageW(GetDlgItem(frame, IDOK), BM_CLICK, 0, 0);
    return true;
  });
  IUnknown* objects[] = {control_};
  EXPECT_EQ(OleCreatePropertyFrame(window_, 10, 10, L"Pelikar1", 1, objects, pages.cElems,
                                   pages.pElems, LOCALE_USER_DEFAULT, 0, nullptr),
            S_OK);
  CoTaskMemFree(pages.pElems);
  EXPECT_EQ(shown, (std::vector<std::wstring>{L"6 6 Other2 0 Nivo", L"3 3 visual C 1 IranSystem"}));
}

}  // namespace
}  // namespace pelikar::container_tests
