#pragma once
// Host objects of the test container that record what the control does with them:
// a late-bound object with named properties (the extended control, the form) and an
// in-memory property bag.
#include <windows.h>
#include <ocidl.h>
#include <oleauto.h>

#include <string>
#include <utility>
#include <vector>

#include "call_log.h"

namespace pelikar::container_tests {

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

// An IDispatch with named properties, read and written by name in any case; each
// read and write is recorded as "<label>.Get <name>" and "<label>.Put <name>", a
// call of any other member as "<label>.Invoke <dispid>". A property named Value is
// also the default member.
class RecordingObject final : public IDispatch, private Counted {
 public:
  RecordingObject(CallLog& log, std::string label) : log_(log), label_(std::move(label)) {}

  void Set(const std::wstring& name, const VARIANT& value);

  STDMETHODIMP QueryInterface(REFIID interfaceId, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override { return AddReference(); }
  STDMETHODIMP_(ULONG) Release() override { return ReleaseReference(); }
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  STDMETHODIMP GetIDsOfNames(REFIID interfaceId, LPOLESTR* names, UINT count, LCID locale,
                             DISPID* ids) override;
  STDMETHODIMP Invoke(DISPID id, REFIID interfaceId, LCID locale, WORD flags, DISPPARAMS* params,
                      VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

 private:
  ~RecordingObject() override;
  DISPID IdOf(const std::wstring& name) const;

  CallLog& log_;
  std::string label_;
  std::vector<NamedValue> properties_;
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

// ASCII text of a wide name, for the log.
std::string Narrow(const std::wstring& text);

}  // namespace pelikar::container_tests
