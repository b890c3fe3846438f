#include "test_object.h"

#include <string>

namespace pelikar::com_tests {

TestObject::~TestObject() {
  for (Member& member : members_) VariantClear(&member.value);
}

TestObject::Member* TestObject::Find(const std::wstring& name) {
  for (Member& member : members_) {
    if (_wcsicmp(member.name.c_str(), name.c_str()) == 0) return &member;
  }
  return nullptr;
}

TestObject::Member* TestObject::Find(DISPID id) {
  for (Member& member : members_) {
    if (member.id == id) return &member;
  }
  return id == DISPID_VALUE ? Find(std::wstring(L"Value")) : nullptr;
}

TestObject::Member& TestObject::Add(const std::wstring& name, DISPID id) {
  if (Member* member = Find(name)) return *member;
  if (id == DISPID_UNKNOWN) id = static_cast<DISPID>(members_.size() + 1);
  members_.push_back({name, id, {}, 0, {}, false, nullptr});
  return members_.back();
}

void TestObject::Set(const std::wstring& name, const VARIANT& value, DISPID id) {
  VariantCopy(&Add(name, id).value, const_cast<VARIANT*>(&value));
}

void TestObject::SetLong(const std::wstring& name, LONG value) { Set(name, *Variant::Long(value).get()); }

void TestObject::RaiseOnRead(const std::wstring& name, int number,
                             const std::wstring& description) {
  Member& member = Add(name, DISPID_UNKNOWN);
  member.raise = number;
  member.description = description;
}

void TestObject::AddMethod(const std::wstring& name, Method body) {
  Member& member = Add(name, DISPID_UNKNOWN);
  member.method = true;
  member.body = std::move(body);
}

void TestObject::Record(const std::string& call) {
  if (log_ != nullptr) log_->Add(label_ + "." + call);
}

STDMETHODIMP TestObject::QueryInterface(REFIID interfaceId, void** object) {
  *object = nullptr;
  if (IsEqualIID(interfaceId, IID_IUnknown) || IsEqualIID(interfaceId, IID_IDispatch)) {
    *object = static_cast<IDispatch*>(this);
  } else if (IsEqualIID(interfaceId, IID_IPropertyBag)) {
    *object = static_cast<IPropertyBag*>(this);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) TestObject::Release() {
  const ULONG remaining = --references_;
  if (remaining == 0) delete this;
  return remaining;
}

STDMETHODIMP TestObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  const Member* member = count == 1 ? Find(std::wstring(names[0])) : nullptr;
  *ids = member != nullptr ? member->id : DISPID_UNKNOWN;
  return member != nullptr ? S_OK : DISP_E_UNKNOWNNAME;
}

STDMETHODIMP TestObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                VARIANT* result, EXCEPINFO* exception, UINT*) {
  Member* member = Find(id);
  if (member == nullptr) {
    Record("Invoke " + std::to_string(id));
    return DISP_E_MEMBERNOTFOUND;
  }
  if (member->method) return Call(*member, flags, *params, result);
  if (flags & DISPATCH_PROPERTYPUT) {
    Record("Put " + Narrow(member->name));
    if (params->cArgs != 1 || params->cNamedArgs != 1 ||
        params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT) {
      return DISP_E_PARAMNOTOPTIONAL;
    }
    return VariantCopyInd(&member->value, &params->rgvarg[0]);
  }
  Record("Get " + Narrow(member->name));
  if (member->raise != 0 && exception != nullptr) {
    *exception = EXCEPINFO{};
    exception->scode = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, member->raise);
    exception->bstrDescription = SysAllocString(member->description.c_str());
  }
  if (member->raise != 0) return DISP_E_EXCEPTION;
  if (result == nullptr) return S_OK;
  VariantInit(result);
  return VariantCopy(result, &member->value);
}

HRESULT TestObject::Call(Member& member, WORD flags, const DISPPARAMS& params, VARIANT* result) {
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) return DISP_E_MEMBERNOTFOUND;
  Record("Call " + Narrow(member.name));
  if (result != nullptr) VariantInit(result);
  if (!member.body) return params.cArgs == 0 ? S_OK : DISP_E_BADPARAMCOUNT;
  // Arguments arrive last first.
  std::vector<VARIANT*> arguments;
  for (UINT i = params.cArgs; i > 0; --i) arguments.push_back(&params.rgvarg[i - 1]);
  return member.body(arguments, result);
}

STDMETHODIMP TestObject::Read(LPCOLESTR name, VARIANT* value, IErrorLog*) {
  Record("Read " + Narrow(name));
  Member* member = Find(std::wstring(name));
  if (member == nullptr) return E_INVALIDARG;
  const VARTYPE wanted = V_VT(value);
  VariantInit(value);
  return VariantChangeType(value, &member->value, 0, wanted == VT_EMPTY ? V_VT(&member->value) : wanted);
}

STDMETHODIMP TestObject::Write(LPCOLESTR name, VARIANT* value) {
  Record("Write " + Narrow(name));
  Set(name, *value);
  return S_OK;
}

}  // namespace pelikar::com_tests
