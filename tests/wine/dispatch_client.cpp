#include "dispatch_client.h"

#include <vector>

namespace pelikar::com_tests {
namespace {

std::wstring TextOf(BSTR text) {
  return text != nullptr ? std::wstring(text, SysStringLen(text)) : std::wstring();
}

}  // namespace

Variant Variant::Nothing() {
  Variant variant;
  V_VT(&variant.value_) = VT_DISPATCH;
  V_DISPATCH(&variant.value_) = nullptr;
  return variant;
}

Variant Variant::Short(short number) {
  Variant variant;
  V_VT(&variant.value_) = VT_I2;
  V_I2(&variant.value_) = number;
  return variant;
}

Variant Variant::Long(long number) {
  Variant variant;
  V_VT(&variant.value_) = VT_I4;
  V_I4(&variant.value_) = number;
  return variant;
}

Variant Variant::Text(const std::wstring& text) {
  Variant variant;
  V_VT(&variant.value_) = VT_BSTR;
  V_BSTR(&variant.value_) = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return variant;
}

Variant Variant::Reference(VARIANT* variable) {
  Variant variant;
  V_VT(&variant.value_) = VT_BYREF | VT_VARIANT;
  V_VARIANTREF(&variant.value_) = variable;
  return variant;
}

Variant Variant::ShortReference(short* number) {
  Variant variant;
  V_VT(&variant.value_) = VT_BYREF | VT_I2;
  V_I2REF(&variant.value_) = number;
  return variant;
}

std::wstring Variant::text() const {
  return V_VT(&value_) == VT_BSTR ? TextOf(V_BSTR(&value_)) : L"<not a string>";
}

CallResult::~CallResult() {
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrHelpFile);
}

std::wstring CallResult::description() const { return TextOf(exception.bstrDescription); }
std::wstring CallResult::source() const { return TextOf(exception.bstrSource); }

CallResult Call(IDispatch* object, const wchar_t* name,
                std::initializer_list<const Variant*> arguments, WORD flags) {
  CallResult call;
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  call.result = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(call.result)) return call;

  // Shallow copies, last to first: the Variants keep ownership.
  std::vector<VARIANT> reversed(arguments.size());
  std::size_t position = arguments.size();
  for (const Variant* argument : arguments) reversed[--position] = *argument->get();
  DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  DISPID putId = DISPID_PROPERTYPUT;
  if (flags & DISPATCH_PROPERTYPUT) {
    params.rgdispidNamedArgs = &putId;
    params.cNamedArgs = 1;
  }
  call.result = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                               call.value.get(), &call.exception, &call.argumentError);
  return call;
}

}  // namespace pelikar::com_tests
