#pragma once
// A host object of the tests' own: an IDispatch with named properties (read and
// written by name, any case; one named Value is also the default member), a method
// Join(a, b) that answers its arguments' texts joined in order, and methods without
// arguments added by name. A property can be made to raise a run-time error when
// read. Given a call log, it records each read and write as "<label>.Get <name>" and
// "<label>.Put <name>", a call of a member it lacks as "<label>.Invoke <dispid>".
// Every write ("<name>=<text>") and method call ("<name>") also goes into history().
#include <windows.h>
#include <oleauto.h>

#include <string>
#include <vector>

#include "call_log.h"
#include "dispatch_client.h"

namespace pelikar::com_tests {

class TestObject final : public IDispatch {
 public:
  TestObject() = default;
  TestObject(CallLog& log, std::string label) : log_(&log), label_(std::move(label)) {}

  // Sets a property (copied).
  void Set(const std::wstring& name, const VARIANT& value);
  void SetLong(const std::wstring& name, LONG value);
  // The property's value, for the caller to clear; VT_EMPTY when there is none.
  VARIANT Value(const std::wstring& name) const;
  // Reading this property raises run-time error number with the description.
  void RaiseOnRead(const std::wstring& name, int number, const std::wstring& description);
  // A method without arguments that does nothing but be recorded.
  void AddMethod(const std::wstring& name);
  ULONG references() const { return references_; }
  const std::vector<std::wstring>& history() const { return history_; }

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
  void Record(const std::string& call);

  struct Property {
    std::wstring name;
    VARIANT value;
    int raise = 0;
    std::wstring description;
    bool method = false;
  };

  CallLog* log_ = nullptr;
  std::string label_;
  ULONG references_ = 1;
  std::vector<Property> properties_;  // DISPID = index + 1; Join is kJoin
  std::vector<std::wstring> history_;
};

}  // namespace pelikar::com_tests
