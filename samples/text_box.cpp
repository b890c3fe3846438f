#include "text_box.h"

#include <algorithm>
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

constexpr short kBackspace = 8;
constexpr short kEnd = 35;
constexpr short kHome = 36;
constexpr short kLeft = 37;
constexpr short kRight = 39;
constexpr short kDelete = 46;

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

TextBox::TextBox(std::wstring name, std::wstring tag)
    : name_(std::move(name)), tag_(std::move(tag)) {}

void TextBox::SetText(std::wstring text, long position) {
  text_ = std::move(text);
  selStart_ = std::clamp(position, 0L, static_cast<long>(text_.size()));
  selLength_ = 0;
}

void TextBox::ReplaceSelection(const std::wstring& text) {
  text_.replace(static_cast<std::size_t>(selStart_), static_cast<std::size_t>(selLength_), text);
  selStart_ += static_cast<long>(text.size());
  selLength_ = 0;
}

void TextBox::OwnKeyDown(short key) {
  const long length = static_cast<long>(text_.size());
  switch (key) {
    case kDelete:
      if (selLength_ == 0 && selStart_ < length) selLength_ = 1;
      ReplaceSelection(L"");
      break;
    case kLeft: selStart_ = std::max(0L, selStart_ - 1); break;
    case kRight: selStart_ = std::min(length, selStart_ + 1); break;
    case kHome: selStart_ = 0; break;
    case kEnd: selStart_ = length; break;
    default: break;
  }
  selLength_ = 0;
}

void TextBox::OwnKeyPress(short character) {
  if (character == 0) return;
  if (character == kBackspace) {
    if (selLength_ == 0 && selStart_ > 0) {
      --selStart_;
      selLength_ = 1;
    }
    ReplaceSelection(L"");
    return;
  }
  // The character of the ANSI code page, as the box would insert it.
  char code = static_cast<char>(character);
  wchar_t wide = 0;
  MultiByteToWideChar(CP_ACP, 0, &code, 1, &wide, 1);
  ReplaceSelection(std::wstring(1, wide));
}

STDMETHODIMP TextBox::QueryInterface(REFIID interfaceId, void** object) {
  if (object == nullptr) return E_POINTER;
  if (IsEqualIID(interfaceId, IID_IUnknown) || IsEqualIID(interfaceId, IID_IDispatch)) {
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) TextBox::AddRef() { return InterlockedIncrement(&references_); }

STDMETHODIMP_(ULONG) TextBox::Release() {
  const ULONG remaining = InterlockedDecrement(&references_);
  if (remaining == 0) delete this;
  return remaining;
}

STDMETHODIMP TextBox::GetTypeInfoCount(UINT* count) {
  *count = 0;
  return S_OK;
}

STDMETHODIMP TextBox::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  *info = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP TextBox::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
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

STDMETHODIMP TextBox::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                             VARIANT* result, EXCEPINFO*, UINT*) {
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    if (params == nullptr || params->cArgs != 1) return DISP_E_BADPARAMCOUNT;
    return Write(id, params->rgvarg[0]);
  }
  if (result == nullptr) return S_OK;
  VariantInit(result);
  return Read(id, result);
}

HRESULT TextBox::Read(DISPID id, VARIANT* result) const {
  switch (id) {
    case kText: SetString(result, text_); return S_OK;
    case kSelStart: SetLong(result, selStart_); return S_OK;
    case kSelLength: SetLong(result, selLength_); return S_OK;
    case kSelText:
      SetString(result, text_.substr(static_cast<std::size_t>(selStart_),
                                   static_cast<std::size_t>(selLength_)));
      return S_OK;
    case kTag: SetString(result, tag_); return S_OK;
    case kName: SetString(result, name_); return S_OK;
    case kLocked: SetBoolean(result, locked_); return S_OK;
    case kMaxLength: SetLong(result, maxLength_); return S_OK;
    case kMultiLine: SetBoolean(result, multiLine_); return S_OK;
    default: return DISP_E_MEMBERNOTFOUND;
  }
}

HRESULT TextBox::Write(DISPID id, VARIANT& value) {
  VARIANT converted;
  VariantInit(&converted);
  const VARTYPE wanted = id == kText || id == kSelText ? VT_BSTR : VT_I4;
  if (id != kText && id != kSelText && id != kSelStart && id != kSelLength) {
    return DISP_E_MEMBERNOTFOUND;  // the others are read-only here
  }
  const HRESULT changed = VariantChangeType(&converted, &value, 0, wanted);
  if (FAILED(changed)) return changed;
  const long length = static_cast<long>(text_.size());
  switch (id) {
    case kText:
      // A new text puts the caret at its start, as a real box does.
      SetText(std::wstring(V_BSTR(&converted), SysStringLen(V_BSTR(&converted))), 0);
      break;
    case kSelText:
      ReplaceSelection(std::wstring(V_BSTR(&converted), SysStringLen(V_BSTR(&converted))));
      break;
    case kSelStart:
      selStart_ = std::clamp(V_I4(&converted), 0L, length);
      selLength_ = 0;
      break;
    default:
      selLength_ = std::clamp(V_I4(&converted), 0L, length - selStart_);
      break;
  }
  VariantClear(&converted);
  return S_OK;
}

}  // namespace pelikar::samples
