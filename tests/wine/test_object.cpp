#include "test_object.h"

#include <string>

namespace pelikar::com_tests {
namespace {

constexpr DISPID kJoin = 1000;

bool SameName(const std::wstring& a, const wchar_t* b) {
  return _wcsicmp(a.c_str(), b) == 0;
}

std::wstring TextOf(VARIANT* value) {
  VARIANT text;
  VariantInit(&text);
  if (FAILED(VariantChangeType(&text, value, 0, VT_BSTR))) return L"?";
  std::wstring result(V_BSTR(&text), SysStringLen(V_BSTR(&text)));
  VariantClear(&text);
  return result;
}

}  // namespace

TestObject::~TestObject() {
  for (Property& property : properties_) VariantClear(&property.value);
}

void TestObject::Set(const std::wstring& name, const VARIANT& value) {
  DISPID id = IdOf(name);
  if (id == DISPID_UNKNOWN) {
    properties_.push_back({name, {}, 0, {}});
    VariantInit(&properties_.back().value);
    id = static_cast<DISPID>(properties_.size());
  }
  VariantCopy(&properties_[id - 1].value, const_cast<VARIANT*>(&value));
}

void TestObject::SetLong(const std::wstring& name, LONG value) {
  VARIANT number;
  V_VT(&number) = VT_I4;
  V_I4(&number) = value;
  Set(name, number);
}

VARIANT TestObject::Value(const std::wstring& name) const {
  VARIANT copy;
  VariantInit(&copy);
  const DISPID id = IdOf(name);
  if (id != DISPID_UNKNOWN) {
    VariantCopy(&copy, const_cast<VARIANT*>(&properties_[id - 1].value));
  }
  return copy;
}

void TestObject::RaiseOnRead(const std::wstring& name, int number,
                             const std::wstring& description) {
  VARIANT empty;
  VariantInit(&empty);
  Set(name, empty);
  Property& property = properties_[IdOf(name) - 1];
  property.raise = number;
  property.description = description;
}

void TestObject::AddMethod(const std::wstring& name) {
  VARIANT empty;
  VariantInit(&empty);
  Set(name, empty);
  properties_[IdOf(name) - 1].method = true;
}

DISPID TestObject::IdOf(const std::wstring& name) const {
  for (std::size_t i = 0; i < properties_.size(); ++i) {
    if (SameName(properties_[i].name, name.c_str())) return static_cast<DISPID>(i + 1);
  }
  return DISPID_UNKNOWN;
}

void TestObject::Record(const std::string& call) {
  if (log_ != nullptr) log_->Add(label_ + "." + call);
}

STDMETHODIMP TestObject::QueryInterface(REFIID interfaceId, void** object) {
  if (object == nullptr) return E_POINTER;
  if (IsEqualIID(interfaceId, IID_IUnknown) || IsEqualIID(interfaceId, IID_IDispatch)) {
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) TestObject::AddRef() { return ++references_; }

STDMETHODIMP_(ULONG) TestObject::Release() {
  const ULONG remaining = --references_;
  if (remaining == 0) delete this;
  return remaining;
}

STDMETHODIMP TestObject::GetTypeInfoCount(UINT* count) {
  *count = 0;
  return S_OK;
}

STDMETHODIMP TestObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  *info = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP TestObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (count != 1) return E_INVALIDARG;
  const std::wstring wanted(names[0]);
  *ids = SameName(wanted, L"Join") ? kJoin : IdOf(wanted);
  return *ids == DISPID_UNKNOWN ? DISP_E_UNKNOWNNAME : S_OK;
}

STDMETHODIMP TestObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                VARIANT* result, EXCEPINFO* exception, UINT*) {
  if (id == kJoin) {
    if (!(flags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
    if (params->cArgs != 2) return DISP_E_BADPARAMCOUNT;
    // Arguments arrive last first.
    const std::wstring joined = TextOf(&params->rgvarg[1]) + TextOf(&params->rgvarg[0]);
    if (result != nullptr) {
      V_VT(result) = VT_BSTR;
      V_BSTR(result) = SysAllocStringLen(joined.data(), static_cast<UINT>(joined.size()));
    }
    return S_OK;
  }
  if (id == DISPID_VALUE && IdOf(L"Value") != DISPID_UNKNOWN) id = IdOf(L"Value");
  if (id < 1 || id > static_cast<DISPID>(properties_.size())) {
    Record("Invoke " + std::to_string(id));
    return DISP_E_MEMBERNOTFOUND;
  }
  Property& property = properties_[id - 1];
  if (property.method) {
    if (!(flags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
    if (params->cArgs != 0) return DISP_E_BADPARAMCOUNT;
    Record("Call " + Narrow(property.name));
    history_.push_back(property.name);
    return S_OK;
  }
  if (flags & DISPATCH_PROPERTYPUT) {
    Record("Put " + Narrow(property.name));
    if (params->cArgs != 1 || params->cNamedArgs != 1 ||
        params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT) {
      return DISP_E_PARAMNOTOPTIONAL;
    }
    history_.push_back(property.name + L"=" + TextOf(&params->rgvarg[0]));
    return VariantCopyInd(&property.value, &params->rgvarg[0]);
  }
  Record("Get " + Narrow(property.name));
  if (property.raise != 0) {
    if (exception != nullptr) {
      *exception = EXCEPINFO{};
      exception->scode = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, property.raise);
      exception->bstrDescription = SysAllocString(property.description.c_str());
    }
    return DISP_E_EXCEPTION;
  }
  if (result == nullptr) return S_OK;
  VariantInit(result);
  return VariantCopy(result, &property.value);
}

}  // namespace pelikar::com_tests
