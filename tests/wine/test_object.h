#pragma once
// A host object of the tests' own: an IDispatch with named properties (read and
// written by name, any case) and a method Join(a, b) that answers its arguments'
// texts joined in order. A property can be made to raise a run-time error when read.
#include <windows.h>
#include <oleauto.h>

#include <map>
#include <string>
#include <vector>

namespace pelikar::com_tests {

class TestObject final : public IDispatch {
 public:
  TestObject() = default;

  // Sets a property (copied).
  void Set(const std::wstring& name, const VARIANT& value);
  void SetLong(const std::wstring& name, LONG value);
  // The property's value, VT_EMPTY when there is none.
  VARIANT Value(const std::wstring& name) const;
  // Reading this property raises run-time error number with the description.
  void RaiseOnRead(const std::wstring& name, int number, const std::wstring& description);
  ULONG references() const { return references_; }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID interfaceId, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IDispatch
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  STDMETHODIMP GetIDsOfNames(REFIID interfaceId, LPOLESTR* names, UINT count, LCID locale,
                             DISPID* ids) override;
  STDMETHODIMP Invoke(DISPID id, REFIID interfaceId, LCID locale, WORD flags, DISPPARAMS* params,
                      VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

 private:
  ~TestObject();
  DISPID IdOf(const std::wstring& name) const;

  struct Property {
    std::wstring name;
    VARIANT value;
    int raise = 0;
    std::wstring description;
  };

  ULONG references_ = 1;
  std::vector<Property> properties_;  // DISPID = index + 1; Join is kJoin
};

}  // namespace pelikar::com_tests
