#pragma once
// The class Property: the control's design-time property page, as a form designer's
// property frame drives it through IPropertyPage2. It reads the first object of the
// selection when the objects are set, marks itself dirty through the page site as
// the developer changes it, and writes the first object back when applied. Its
// default interface, the dispatch interface _Property, has no members.
#include <windows.h>
#include <ocidl.h>

#include <vector>

#include "control/com/property_page_dialog.h"
#include "control/property_page.h"

namespace pelikar::com {

class PropertyPage final : public IPropertyPage2, public IDispatch {
 public:
  static HRESULT Create(REFIID interfaceId, void** object);

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID interfaceId, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IPropertyPage
  STDMETHODIMP SetPageSite(IPropertyPageSite* site) override;
  STDMETHODIMP Activate(HWND parent, LPCRECT at, BOOL modal) override;
  STDMETHODIMP Deactivate() override;
  STDMETHODIMP GetPageInfo(PROPPAGEINFO* info) override;
  STDMETHODIMP SetObjects(ULONG count, IUnknown** objects) override;
  STDMETHODIMP Show(UINT command) override;
  STDMETHODIMP Move(LPCRECT at) override;
  STDMETHODIMP IsPageDirty() override;
  STDMETHODIMP Apply() override;
  STDMETHODIMP Help(LPCOLESTR helpDirectory) override;
  STDMETHODIMP TranslateAccelerator(MSG* message) override;

  // IPropertyPage2
  STDMETHODIMP EditProperty(DISPID property) override;

  // IDispatch: _Property
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  STDMETHODIMP GetIDsOfNames(REFIID interfaceId, LPOLESTR* names, UINT count, LCID locale,
                             DISPID* ids) override;
  STDMETHODIMP Invoke(DISPID id, REFIID interfaceId, LCID locale, WORD flags, DISPPARAMS* params,
                      VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

 private:
  PropertyPage();
  ~PropertyPage();
  void ReleaseObjects();
  void Changed();

  LONG references_ = 1;
  IPropertyPageSite* site_ = nullptr;
  std::vector<IUnknown*> objects_;
  control::PropertyPageModel model_;
  PropertyPageDialog dialog_;
};

}  // namespace pelikar::com
