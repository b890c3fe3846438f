#pragma once
// The tests' one late-bound object, standing in for a host's forms, fields and labels,
// a container's ambient properties and property bag, and the script host's Host: an
// IDispatch with named properties (any case; one named Value is also the default
// member) and methods, and IPropertyBag over the same properties. A property whose
// value is a VT_ERROR raises that scode when read. Given a call log, it records each
// read and write as "<label>.Get <name>" and "<label>.Put <name>" (bag: "Read",
// "Write"), a method as "<label>.Call <name>", a member it lacks as "<label>.Invoke <dispid>".
#include <windows.h>
#include <ocidl.h>

#include <functional>
#include <string>
#include <vector>

#include "dispatch_client.h"

// Methods a test's COM object has only because its interface declares them, each
// answering with the same result: PELIKAR_STUBS_3(E_NOTIMPL, Scroll(SIZE), ...).
#define PELIKAR_STUBS_1(result, method) STDMETHODIMP method override { return result; }
#define PELIKAR_STUBS_2(result, method, ...) PELIKAR_STUBS_1(result, method) PELIKAR_STUBS_1(result, __VA_ARGS__)
#define PELIKAR_STUBS_3(result, method, ...) PELIKAR_STUBS_1(result, method) PELIKAR_STUBS_2(result, __VA_ARGS__)
#define PELIKAR_STUBS_4(result, method, ...) PELIKAR_STUBS_1(result, method) PELIKAR_STUBS_3(result, __VA_ARGS__)
#define PELIKAR_STUBS_5(result, method, ...) PELIKAR_STUBS_1(result, method) PELIKAR_STUBS_4(result, __VA_ARGS__)
#define PELIKAR_STUBS_6(result, method, ...) PELIKAR_STUBS_1(result, method) PELIKAR_STUBS_5(result, __VA_ARGS__)

namespace pelikar::com_tests {

using Calls = std::vector<std::string>;
// A method's body: the arguments in their natural order, the place for the result.
using Method = std::function<HRESULT(const std::vector<VARIANT*>& arguments, VARIANT* result)>;

class TestObject final : public IDispatch, public IPropertyBag {
 public:
  explicit TestObject(Calls* log = nullptr, std::string label = {}) : log_(log), label_(std::move(label)) {}

  // Sets a property (copied); a new one gets the given DISPID, or the next free one.
  TestObject* Set(const std::wstring& name, const Variant& value, DISPID id = DISPID_UNKNOWN);
  void AddMethod(const std::wstring& name, Method body);
  ULONG references() const { return references_; }

  STDMETHODIMP QueryInterface(REFIID interfaceId, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    *count = 0;  // no type information: clients bind late
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO* exception, UINT*) override;
  // A value comes in the type the reader asks for (VT_EMPTY: as stored); a name the
  // bag lacks reads as E_INVALIDARG.
  STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override;
  STDMETHODIMP Write(LPCOLESTR name, VARIANT* value) override;

 private:
  struct Member {
    std::wstring name;
    DISPID id;
    Variant value;
    Method body;
  };

  ~TestObject() = default;
  Member* Find(const std::wstring& name);
  Member& Add(const std::wstring& name, DISPID id);
  void Record(const std::string& call) {
    if (log_ != nullptr) log_->push_back(label_ + "." + call);
  }

  Calls* log_;
  std::string label_;
  ULONG references_ = 1;
  std::vector<Member> members_;
};

// A host's text box as the typing members see it: empty, Tag "text", named Text1,
// nothing selected, not locked, no length limit, one line.
TestObject* NewTextBox();

}  // namespace pelikar::com_tests
