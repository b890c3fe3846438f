#include "test_object.h"

namespace pelikar::com_tests {

TestObject* NewTextBox() {
  auto* box = (new TestObject())->Set(L"Tag", L"text")->Set(L"Name", L"Text1")->Set(L"Text", L"")->Set(L"SelText", L"");
  for (const wchar_t* name : {L"SelStart", L"SelLength", L"Locked", L"MaxLength", L"MultiLine"}) box->Set(name, I4(0));
  return box;
}

TestObject::Member* TestObject::Find(const std::wstring& name) {
  for (Member& member : members_) {
    if (_wcsicmp(member.name.c_str(), name.c_str()) == 0) return &member;
  }
  return nullptr;
}

TestObject::Member& TestObject::Add(const std::wstring& name, DISPID id) {
  if (Member* member = Find(name)) return *member;
  members_.push_back({name, id != DISPID_UNKNOWN ? id : static_cast<DISPID>(members_.size() + 1), {}, {}});
  return members_.back();
}

TestObject* TestObject::Set(const std::wstring& name, const Variant& value, DISPID id) {
  VariantCopy(&Add(name, id).value, const_cast<Variant*>(&value));
  return this;
}

void TestObject::AddMethod(const std::wstring& name, Method body) { Add(name, DISPID_UNKNOWN).body = std::move(body); }

STDMETHODIMP TestObject::QueryInterface(REFIID interfaceId, void** object) {
  const bool bag = IsEqualIID(interfaceId, IID_IPropertyBag);
  if (bag || IsEqualIID(interfaceId, IID_IUnknown) || IsEqualIID(interfaceId, IID_IDispatch)) {
    *object = bag ? static_cast<void*>(static_cast<IPropertyBag*>(this)) : static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) TestObject::Release() {
  const ULONG remaining = --references_;
  if (remaining == 0) delete this;
  return remaining;
}

STDMETHODIMP TestObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  const Member* member = count == 1 ? Find(names[0]) : nullptr;
  *ids = member != nullptr ? member->id : DISPID_UNKNOWN;
  return member != nullptr ? S_OK : DISP_E_UNKNOWNNAME;
}

STDMETHODIMP TestObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                VARIANT* result, EXCEPINFO* exception, UINT*) {
  Member* member = nullptr;
  for (Member& candidate : members_) member = candidate.id == id ? &candidate : member;
  if (member == nullptr && id == DISPID_VALUE) member = Find(L"Value");
  if (member == nullptr) {
    Record("Invoke " + std::to_string(id));
    return DISP_E_MEMBERNOTFOUND;
  }
  if (result != nullptr) VariantInit(result);
  if (member->body) {
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) return DISP_E_MEMBERNOTFOUND;
    Record("Call " + Narrow(member->name));
    std::vector<VARIANT*> arguments;  // they arrive last first
    for (UINT i = params->cArgs; i > 0; --i) arguments.push_back(&params->rgvarg[i - 1]);
    return member->body(arguments, result);
  }
  if (flags & DISPATCH_PROPERTYPUT) {
    Record("Put " + Narrow(member->name));
    if (params->cArgs != 1 || params->cNamedArgs != 1 || params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT) {
      return DISP_E_PARAMNOTOPTIONAL;
    }
    return VariantCopyInd(&member->value, &params->rgvarg[0]);
  }
  Record("Get " + Narrow(member->name));
  if (V_VT(&member->value) == VT_ERROR) {
    if (exception != nullptr) *exception = EXCEPINFO{};
    if (exception != nullptr) exception->scode = V_ERROR(&member->value);
    return DISP_E_EXCEPTION;
  }
  return result != nullptr ? VariantCopy(result, &member->value) : S_OK;
}

STDMETHODIMP TestObject::Read(LPCOLESTR name, VARIANT* value, IErrorLog*) {
  Record("Read " + Narrow(name));
  Member* member = Find(name);
  if (member == nullptr) return E_INVALIDARG;
  const VARTYPE wanted = V_VT(value);
  VariantInit(value);
  return VariantChangeType(value, &member->value, 0, wanted == VT_EMPTY ? V_VT(&member->value) : wanted);
}

STDMETHODIMP TestObject::Write(LPCOLESTR name, VARIANT* value) {
  Record("Write " + Narrow(name));
  VariantCopy(&Add(name, DISPID_UNKNOWN).value, value);
  return S_OK;
}

}  // namespace pelikar::com_tests
