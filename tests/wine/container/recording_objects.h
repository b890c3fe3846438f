#pragma once
// Objects of the test container that record what the control does with them: an
// in-memory property bag. (The late-bound host objects, the form and the extended
// control, are TestObjects with a call log.)
#include <windows.h>
#include <ocidl.h>
#include <oleauto.h>

#include <string>
#include <utility>
#include <vector>

#include "../call_log.h"
#include "../test_object.h"

namespace pelikar::container_tests {

using com_tests::CallLog;
using com_tests::Calls;
using com_tests::Narrow;
using com_tests::TestObject;

// A VARIANT value kept by the test objects.
struct NamedValue {
  std::wstring name;
  VARIANT value;
};

// Reference counting shared by the test objects; Release answers the count left.
class Counted {
 public:
  virtual ~Counted() = default;
  ULONG AddReference() { return ++references_; }
  ULONG ReleaseReference() {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

 private:
  ULONG references_ = 1;
};

// IPropertyBag in memory: a name it does not hold reads as E_INVALIDARG. Reads and
// writes are recorded as "bag.Read <name>" and "bag.Write <name>".
class MemoryBag final : public IPropertyBag, private Counted {
 public:
  explicit MemoryBag(CallLog& log) : log_(log) {}

  void Set(const std::wstring& name, const VARIANT& value);
  // The names in the order they were first written.
  std::vector<std::wstring> Names() const;
  // The value, for the caller to clear; VT_EMPTY when there is none.
  VARIANT Value(const std::wstring& name) const;

  STDMETHODIMP QueryInterface(REFIID interfaceId, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override { return AddReference(); }
  STDMETHODIMP_(ULONG) Release() override { return ReleaseReference(); }
  STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog* errorLog) override;
  STDMETHODIMP Write(LPCOLESTR name, VARIANT* value) override;

 private:
  ~MemoryBag() override;
  NamedValue* Find(const std::wstring& name);
  const NamedValue* Find(const std::wstring& name) const;

  CallLog& log_;
  std::vector<NamedValue> values_;
};


}  // namespace pelikar::container_tests
