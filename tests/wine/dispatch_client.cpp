#include "dispatch_client.h"

#include <iterator>
#include <utility>
#include <vector>

namespace pelikar::com_tests {

std::wstring& OcxPath() {
  static std::wstring path;
  return path;
}

std::wstring GuidText(REFGUID guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

std::string Narrow(const std::wstring& text) {
  std::string narrow;
  for (wchar_t c : text) narrow += c < 128 ? static_cast<char>(c) : '?';
  return narrow;
}

std::wstring TextOf(const VARIANT& value) {
  Variant text;
  if (FAILED(VariantChangeType(&text, const_cast<VARIANT*>(&value), VARIANT_ALPHABOOL, VT_BSTR))) {
    return L"<type " + std::to_wstring(V_VT(&value)) + L">";
  }
  return text.text();
}

void* OcxModule::NewObject(REFCLSID classId, REFIID interfaceId) const {
  IClassFactory* factory = nullptr;
  void* object = nullptr;
  if (SUCCEEDED(GetClassObject(classId, IID_IClassFactory, reinterpret_cast<void**>(&factory)))) {
    factory->CreateInstance(nullptr, interfaceId, &object);
    factory->Release();
  }
  return object;
}

std::wstring Variant::text() const {
  if (V_VT(this) != VT_BSTR) return L"<not a string>";
  return V_BSTR(this) != nullptr ? std::wstring(V_BSTR(this), SysStringLen(V_BSTR(this))) : L"";
}

long Variant::number() const {
  Variant number;
  return SUCCEEDED(VariantChangeType(&number, const_cast<Variant*>(this), 0, VT_I4)) ? V_I4(&number) : 0;
}

CallResult::CallResult(CallResult&& other) noexcept
    : result(other.result), value(other.value), exception(std::exchange(other.exception, {})),
      argumentError(other.argumentError) {}

CallResult::~CallResult() {
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrHelpFile);
}

CallResult Call(IDispatch* object, const wchar_t* name, std::initializer_list<Variant> arguments, WORD flags) {
  CallResult call;
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  call.result = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(call.result)) return call;
  // Shallow copies, last to first: the arguments keep ownership.
  std::vector<VARIANT> reversed(std::rbegin(arguments), std::rend(arguments));
  DISPID putId = DISPID_PROPERTYPUT;
  DISPPARAMS params{reversed.data(), &putId, static_cast<UINT>(reversed.size()),
                    (flags & DISPATCH_PROPERTYPUT) ? 1u : 0u};
  call.result = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, &call.value,
                               &call.exception, &call.argumentError);
  return call;
}

}  // namespace pelikar::com_tests
