#include "field_dispatch.h"

#include <utility>

namespace pelikar::samples {
namespace {

enum Member : DISPID {
  kText = 1,
  kSelStart,
  kSelLength,
  kSelText,
  kTag,
  kName,
  kLocked,
  kMaxLength,
  kMultiLine,
};

constexpr struct {
  const wchar_t* name;
  DISPID id;
} kMembers[] = {
    {L"Text", kText},       {L"SelStart", kSelStart},   {L"SelLength", kSelLength},
    {L"SelText", kSelText}, {L"Tag", kTag},             {L"Name", kName},
    {L"Locked", kLocked},   {L"MaxLength", kMaxLength}, {L"MultiLine", kMultiLine},
};

void SetString(VARIANT* result, const std::wstring& text) {
  V_VT(result) = VT_BSTR;
  V_BSTR(result) = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

void SetLong(VARIANT* result, long number) {
  V_VT(result) = VT_I4;
  V_I4(result) = number;
}

void SetBoolean(VARIANT* result, bool value) {
  V_VT(result) = VT_BOOL;
  V_BOOL(result) = value ? VARIANT_TRUE : VARIANT_FALSE;
}

}  // namespace

FieldDispatch::FieldDispatch(std::wstring name, std::wstring tag)
    : name_(std::move(name)), tag_(std::move(tag)) {}

STDMETHODIMP FieldDispatch::QueryInterface(REFIID interfaceId, void** object) {
  if (object == nullptr) return E_POINTER;
  if (IsEqualIID(interfaceId, IID_IUnknown) || IsEqualIID(interfaceId, IID_IDispatch)) {
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) FieldDispatch::AddRef() { return InterlockedIncrement(&references_); }

STDMETHODIMP_(ULONG) FieldDispatch::Release() {
  const ULONG remaining = InterlockedDecrement(&references_);
  if (remaining == 0) delete this;
  return remaining;
}

STDMETHODIMP FieldDispatch::GetTypeInfoCount(UINT* count) {
  *count = 0;
  return S_OK;
}

STDMETHODIMP FieldDispatch::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  *info = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP FieldDispatch::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) {
  if (count != 1) return DISP_E_UNKNOWNNAME;
  for (const auto& member : kMembers) {
    if (_wcsicmp(member.name, names[0]) == 0) {
      ids[0] = member.id;
      return S_OK;
    }
  }
  ids[0] = DISPID_UNKNOWN;
  return DISP_E_UNKNOWNNAME;
}

STDMETHODIMP FieldDispatch::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO*, UINT*) {
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    if (params == nullptr || params->cArgs != 1) return DISP_E_BADPARAMCOUNT;
    return Write(id, params->rgvarg[0]);
  }
  if (result == nullptr) return S_OK;
  VariantInit(result);
  return Read(id, result);
}

HRESULT FieldDispatch::Read(DISPID id, VARIANT* result) const {
  switch (id) {
    case kText: SetString(result, Text()); return S_OK;
    case kSelStart: SetLong(result, SelStart()); return S_OK;
    case kSelLength: SetLong(result, SelLength()); return S_OK;
    case kSelText:
      SetString(result, Text().substr(static_cast<std::size_t>(SelStart()),
                                      static_cast<std::size_t>(SelLength())));
      return S_OK;
    case kTag: SetString(result, tag_); return S_OK;
    case kName: SetString(result, name_); return S_OK;
    case kLocked: SetBoolean(result, Locked()); return S_OK;
    case kMaxLength: SetLong(result, MaxLength()); return S_OK;
    case kMultiLine: SetBoolean(result, MultiLine()); return S_OK;
    default: return DISP_E_MEMBERNOTFOUND;
  }
}

HRESULT FieldDispatch::Write(DISPID id, VARIANT& value) {
  if (id != kText && id != kSelText && id != kSelStart && id != kSelLength) {
    return DISP_E_MEMBERNOTFOUND;  // the others are read-only here
  }
  VARIANT converted;
  VariantInit(&converted);
  const VARTYPE wanted = id == kText || id == kSelText ? VT_BSTR : VT_I4;
  const HRESULT changed = VariantChangeType(&converted, &value, 0, wanted);
  if (FAILED(changed)) return changed;
  switch (id) {
    case kText: SetText(std::wstring(V_BSTR(&converted), SysStringLen(V_BSTR(&converted)))); break;
    case kSelText:
      ReplaceSelection(std::wstring(V_BSTR(&converted), SysStringLen(V_BSTR(&converted))));
      break;
    case kSelStart: Select(V_I4(&converted), 0); break;
    default: Select(SelStart(), V_I4(&converted)); break;
  }
  VariantClear(&converted);
  return S_OK;
}

}  // namespace pelikar::samples
