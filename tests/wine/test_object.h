#pragma once
// The tests' one late-bound object, standing in for a host's forms, fields and labels,
// a container's ambient properties and property bag, and the script host's Host: an
// IDispatch with named properties (any case; one named Value is also the default
// member), methods, and IPropertyBag over the same properties. A property can be made
// to raise a run-time error when read. Given a call log, it records each read and
// write as "<label>.Get <name>" and "<label>.Put <name>" (bag: "Read", "Write"), a
// method as "<label>.Call <name>", a member it lacks as "<label>.Invoke <dispid>".
#include <windows.h>
#include <ocidl.h>
#include <oleauto.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "dispatch_client.h"

namespace pelikar::com_tests {

using Calls = std::vector<std::string>;

// The calls a control makes on the host's objects, in order, as those objects record
// them: "site.OnInPlaceActivate", "bag.Read Farsi", "form.Get Caption"...
class CallLog {
 public:
  void Add(std::string call) { calls_.push_back(std::move(call)); }
  // The calls since the last Take.
  Calls Take() { return std::exchange(calls_, {}); }

 private:
  Calls calls_;
};

// A method's body: the arguments in their natural order, the place for the result.
using Method = std::function<HRESULT(const std::vector<VARIANT*>& arguments, VARIANT* result)>;

class TestObject final : public IDispatch, public IPropertyBag {
 public:
  TestObject() = default;
  TestObject(CallLog& log, std::string label) : log_(&log), label_(std::move(label)) {}

  // Sets a property (copied); a new one gets the given DISPID, or the next free one.
  void Set(const std::wstring& name, const VARIANT& value, DISPID id = DISPID_UNKNOWN);
  void SetLong(const std::wstring& name, LONG value);
  // Reading this property raises run-time error number with the description.
  void RaiseOnRead(const std::wstring& name, int number, const std::wstring& description);
  // A method; without a body it takes no arguments and does nothing but be recorded.
  void AddMethod(const std::wstring& name, Method body = nullptr);
  ULONG references() const { return references_; }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID interfaceId, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
  STDMETHODIMP_(ULONG) Release() override;

  // IDispatch
  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    *count = 0;  // no type information: clients bind late
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO* exception, UINT*) override;

  // IPropertyBag: a value comes in the type the reader asks for (VT_EMPTY: as stored);
  // a name the bag lacks reads as E_INVALIDARG.
  STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override;
  STDMETHODIMP Write(LPCOLESTR name, VARIANT* value) override;

 private:
  struct Member {
    std::wstring name;
    DISPID id;
    VARIANT value;
    int raise = 0;
    std::wstring description;
    bool method = false;
    Method body;
  };

  ~TestObject();
  Member* Find(const std::wstring& name);
  Member* Find(DISPID id);
  Member& Add(const std::wstring& name, DISPID id);
  HRESULT Call(Member& member, WORD flags, const DISPPARAMS& params, VARIANT* result);
  void Record(const std::string& call);

  CallLog* log_ = nullptr;
  std::string label_;
  ULONG references_ = 1;
  std::vector<Member> members_;
};

}  // namespace pelikar::com_tests
