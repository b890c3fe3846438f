#include "dispatch_client.h"

#include <vector>

namespace pelikar::com_tests {
namespace {

std::wstring TextOf(BSTR text) {
  return text != nullptr ? std::wstring(text, SysStringLen(text)) : std::wstring();
}

}  // namespace

std::wstring TextOf(const VARIANT& value) {
  VARIANT text;
  VariantInit(&text);
  if (FAILED(VariantChangeType(&text, const_cast<VARIANT*>(&value), VARIANT_ALPHABOOL, VT_BSTR))) {
    return L"<type " + std::to_wstring(V_VT(&value)) + L">";
  }
  const std::wstring result = TextOf(V_BSTR(&text));
  VariantClear(&text);
  return result;
}

std::wstring& OcxPath() {
  static std::wstring path;
  return path;
}

std::wstring GuidText(REFGUID guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

HRESULT OcxModule::Server(const char* entry) const {
  auto function = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
      reinterpret_cast<void*>(GetProcAddress(module_, entry)));
  return function != nullptr ? function() : E_FAIL;
}

HRESULT OcxModule::GetClassObject(REFCLSID classId, REFIID interfaceId, void** object) const {
  auto function = reinterpret_cast<HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**)>(
      reinterpret_cast<void*>(GetProcAddress(module_, "DllGetClassObject")));
  return function != nullptr ? function(classId, interfaceId, object) : E_FAIL;
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

Variant Variant::Number(VARTYPE type, double number) {
  Variant variant;
  V_VT(&variant.value_) = VT_R8;
  V_R8(&variant.value_) = number;
  VariantChangeType(&variant.value_, &variant.value_, 0, type);
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

Variant Object(IDispatch* object) {
  Variant variant;
  V_VT(variant.get()) = VT_DISPATCH;
  V_DISPATCH(variant.get()) = object;
  if (object != nullptr) object->AddRef();
  return variant;
}

CallResult::~CallResult() {
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrHelpFile);
}

std::wstring CallResult::description() const { return TextOf(exception.bstrDescription); }

CallResult Call(IDispatch* object, const wchar_t* name,
                std::initializer_list<const Variant*> arguments, WORD flags) {
  CallResult call;
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  call.result = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(call.result)) return call;

  // Shallow copies, last to first: the Variants keep ownership.
  std::vector<VARIANT> reversed;
  for (const Variant* argument : arguments) reversed.insert(reversed.begin(), *argument->get());
  DISPID putId = DISPID_PROPERTYPUT;
  const UINT named = (flags & DISPATCH_PROPERTYPUT) ? 1 : 0;
  DISPPARAMS params{reversed.data(), &putId, static_cast<UINT>(reversed.size()), named};
  call.result = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                               call.value.get(), &call.exception, &call.argumentError);
  return call;
}

}  // namespace pelikar::com_tests
