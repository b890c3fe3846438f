#include "control/com/property_page.h"

#include <cstring>
#include <functional>
#include <new>

#include "control/com/com_error.h"
#include "control/com/dispatch_host_object.h"
#include "control/com/module.h"
#include "control/com/type_library.h"
#include "pelikar_h.h"

namespace pelikar::com {
namespace {

constexpr wchar_t kTitle[] = L"Pelikar";

// The first object of the selection, reached by member name.
HRESULT WithFirstObject(IUnknown* object, const std::function<void(DispatchHostObject&)>& use) {
  IDispatch* dispatch = nullptr;
  const HRESULT result = object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
  if (FAILED(result)) return result;
  const HRESULT used = Guarded([&] {
    DispatchHostObject control(dispatch);
    use(control);
  });
  dispatch->Release();
  return used;
}

}  // namespace

PropertyPage::PropertyPage() : dialog_(model_, [this] { Changed(); }) { ObjectCreated(); }

PropertyPage::~PropertyPage() {
  dialog_.Destroy();
  ReleaseObjects();
  if (site_ != nullptr) site_->Release();
  ObjectDestroyed();
}

HRESULT PropertyPage::Create(REFIID interfaceId, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  auto* page = new (std::nothrow) PropertyPage();
  if (page == nullptr) return E_OUTOFMEMORY;
  const HRESULT result = page->QueryInterface(interfaceId, object);
  page->Release();
  return result;
}

void PropertyPage::ReleaseObjects() {
  for (IUnknown* object : objects_) object->Release();
  objects_.clear();
}

void PropertyPage::Changed() {
  if (site_ != nullptr) site_->OnStatusChange(PROPPAGESTATUS_DIRTY);
}

// IUnknown

STDMETHODIMP PropertyPage::QueryInterface(REFIID interfaceId, void** object) {
  if (object == nullptr) return E_POINTER;
  if (IsEqualIID(interfaceId, IID_IUnknown) || IsEqualIID(interfaceId, IID_IPropertyPage) ||
      IsEqualIID(interfaceId, IID_IPropertyPage2)) {
    *object = static_cast<IPropertyPage2*>(this);
  } else if (IsEqualIID(interfaceId, IID_IDispatch) || IsEqualIID(interfaceId, DIID__Property)) {
    *object = static_cast<IDispatch*>(this);
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) PropertyPage::AddRef() { return InterlockedIncrement(&references_); }

STDMETHODIMP_(ULONG) PropertyPage::Release() {
  const ULONG remaining = InterlockedDecrement(&references_);
  if (remaining == 0) delete this;
  return remaining;
}

// IPropertyPage

STDMETHODIMP PropertyPage::SetPageSite(IPropertyPageSite* site) {
  if (site != nullptr && site_ != nullptr) return E_UNEXPECTED;
  if (site_ != nullptr) site_->Release();
  site_ = site;
  if (site_ != nullptr) site_->AddRef();
  return S_OK;
}

STDMETHODIMP PropertyPage::Activate(HWND parent, LPCRECT at, BOOL /*modal*/) {
  if (at == nullptr) return E_POINTER;
  return dialog_.Create(parent, *at);
}

STDMETHODIMP PropertyPage::Deactivate() {
  dialog_.Destroy();
  return S_OK;
}

STDMETHODIMP PropertyPage::GetPageInfo(PROPPAGEINFO* info) {
  if (info == nullptr) return E_POINTER;
  info->pszTitle = static_cast<LPOLESTR>(CoTaskMemAlloc(sizeof kTitle));
  if (info->pszTitle == nullptr) return E_OUTOFMEMORY;
  std::memcpy(info->pszTitle, kTitle, sizeof kTitle);
  info->cb = sizeof *info;
  info->size = PropertyPageDialog::Size();
  info->pszDocString = nullptr;
  info->pszHelpFile = nullptr;
  info->dwHelpContext = 0;
  return S_OK;
}

// The page shows the first object; with several selected, only the first is read
// and, when applied, written.
STDMETHODIMP PropertyPage::SetObjects(ULONG count, IUnknown** objects) {
  if (count > 0 && objects == nullptr) return E_POINTER;
  for (ULONG i = 0; i < count; ++i) {
    if (objects[i] == nullptr) return E_POINTER;
  }
  ReleaseObjects();
  for (ULONG i = 0; i < count; ++i) {
    objects[i]->AddRef();
    objects_.push_back(objects[i]);
  }
  if (objects_.empty()) return S_OK;
  const HRESULT loaded = WithFirstObject(
      objects_.front(), [this](DispatchHostObject& control) { model_.Load(control); });
  dialog_.ShowModel();
  return loaded;
}

STDMETHODIMP PropertyPage::Show(UINT command) {
  if (dialog_.window() == nullptr) return E_UNEXPECTED;
  ShowWindow(dialog_.window(), static_cast<int>(command));
  return S_OK;
}

STDMETHODIMP PropertyPage::Move(LPCRECT at) {
  if (at == nullptr) return E_POINTER;
  if (dialog_.window() == nullptr) return E_UNEXPECTED;
  MoveWindow(dialog_.window(), at->left, at->top, at->right - at->left, at->bottom - at->top,
             TRUE);
  return S_OK;
}

STDMETHODIMP PropertyPage::IsPageDirty() { return model_.changed() ? S_OK : S_FALSE; }

// A write the control refuses (a CodePage text that is no number) fails the call and
// leaves the page dirty.
STDMETHODIMP PropertyPage::Apply() {
  if (objects_.empty() || !model_.changed()) return S_OK;
  return WithFirstObject(objects_.front(),
                         [this](DispatchHostObject& control) { model_.Apply(control); });
}

// The page has no help of its own.
STDMETHODIMP PropertyPage::Help(LPCOLESTR /*helpDirectory*/) { return E_NOTIMPL; }

// The page's own keys: moving between its controls.
STDMETHODIMP PropertyPage::TranslateAccelerator(MSG* message) {
  if (message == nullptr) return E_POINTER;
  if (dialog_.window() == nullptr) return S_FALSE;
  return IsDialogMessageW(dialog_.window(), message) ? S_OK : S_FALSE;
}

STDMETHODIMP PropertyPage::EditProperty(DISPID property) {
  return dialog_.Focus(property) ? S_OK : E_NOTIMPL;
}

// IDispatch: _Property has no members.

STDMETHODIMP PropertyPage::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 1;
  return S_OK;
}

STDMETHODIMP PropertyPage::GetTypeInfo(UINT index, LCID /*locale*/, ITypeInfo** info) {
  if (info == nullptr) return E_POINTER;
  *info = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  return LoadModuleTypeInfo(DIID__Property, info);
}

STDMETHODIMP PropertyPage::GetIDsOfNames(REFIID interfaceId, LPOLESTR* names, UINT count,
                                         LCID /*locale*/, DISPID* ids) {
  if (!IsEqualIID(interfaceId, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  ITypeInfo* info = nullptr;
  HRESULT result = LoadModuleTypeInfo(DIID__Property, &info);
  if (FAILED(result)) return result;
  result = DispGetIDsOfNames(info, names, count, ids);
  info->Release();
  return result;
}

STDMETHODIMP PropertyPage::Invoke(DISPID /*id*/, REFIID interfaceId, LCID /*locale*/,
                                  WORD /*flags*/, DISPPARAMS* /*params*/, VARIANT* /*result*/,
                                  EXCEPINFO* /*exception*/, UINT* /*argumentError*/) {
  if (!IsEqualIID(interfaceId, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  return DISP_E_MEMBERNOTFOUND;
}

}  // namespace pelikar::com
