#include "control/com/dispatch_host_object.h"

#include <dispex.h>

#include <limits>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "common/run_time_error.h"
#include "control/com/ansi_string.h"

namespace pelikar::com {
namespace {

using host::HostValue;

// mingw's uuid library lacks it.
constexpr IID kIdDispatchEx = {
    0xA6EF9860, 0xC720, 0x11D0, {0x93, 0x37, 0x00, 0xA0, 0xC9, 0x0D, 0xCA, 0xA9}};

// A VARIANT that clears itself.
class OwnedVariant {
 public:
  OwnedVariant() { VariantInit(&value_); }
  OwnedVariant(const OwnedVariant&) = delete;
  OwnedVariant& operator=(const OwnedVariant&) = delete;
  ~OwnedVariant() { VariantClear(&value_); }
  VARIANT* get() { return &value_; }

 private:
  VARIANT value_;
};

class OwnedBstr {
 public:
  explicit OwnedBstr(const std::wstring& text)
      : text_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {
    if (text_ == nullptr) throw std::bad_alloc();
  }
  OwnedBstr(const OwnedBstr&) = delete;
  OwnedBstr& operator=(const OwnedBstr&) = delete;
  ~OwnedBstr() { SysFreeString(text_); }
  BSTR get() const { return text_; }

 private:
  BSTR text_;
};

// Member names are ASCII.
std::wstring WideName(std::string_view member) { return std::wstring(member.begin(), member.end()); }

std::string Described(std::string_view member, std::string_view what) {
  return std::string(member) + ": " + std::string(what);
}

[[noreturn]] void NoSuchMember(std::string_view member) {
  throw RunTimeError(kMemberNotSupported, std::string(member));
}

std::string Utf8Of(BSTR text) {
  const int length = static_cast<int>(SysStringLen(text));
  if (length == 0) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, length, utf8.data(), size, nullptr, nullptr);
  return utf8;
}

// The object's own error: its run-time number when it raised one, else an
// automation error with its description.
[[noreturn]] void RaisedByObject(std::string_view member, EXCEPINFO& exception) {
  if (exception.pfnDeferredFillIn != nullptr) exception.pfnDeferredFillIn(&exception);
  int number = kAutomationError;
  if (exception.wCode != 0) {
    number = exception.wCode;
  } else if (HRESULT_FACILITY(exception.scode) == FACILITY_CONTROL) {
    number = HRESULT_CODE(exception.scode);
  }
  const std::string description = Utf8Of(exception.bstrDescription);
  throw RunTimeError(number, Described(member, description.empty() ? "raised by the object"
                                                                    : description));
}

[[noreturn]] void InvokeFailed(std::string_view member, HRESULT result, EXCEPINFO& exception) {
  switch (result) {
    case DISP_E_EXCEPTION: RaisedByObject(member, exception);
    case DISP_E_MEMBERNOTFOUND:
    case DISP_E_UNKNOWNNAME: NoSuchMember(member);
    case DISP_E_TYPEMISMATCH: throw RunTimeError(kTypeMismatch, std::string(member));
    case DISP_E_OVERFLOW: throw RunTimeError(kOverflow, std::string(member));
    default: throw RunTimeError(kAutomationError, Described(member, "the call failed"));
  }
}

HostValue FromInteger(LONGLONG number) {
  if (number >= std::numeric_limits<std::int32_t>::min() &&
      number <= std::numeric_limits<std::int32_t>::max()) {
    return static_cast<std::int32_t>(number);
  }
  return static_cast<double>(number);
}

}  // namespace

HostValue HostValueFromVariant(VARIANT& value) {
  OwnedVariant direct;
  if (V_VT(&value) & VT_BYREF) {
    if (FAILED(VariantCopyInd(direct.get(), &value))) throw RunTimeError(kTypeMismatch);
    return HostValueFromVariant(*direct.get());
  }
  switch (V_VT(&value)) {
    case VT_EMPTY:
    case VT_NULL: return {};
    case VT_BOOL: return V_BOOL(&value) != VARIANT_FALSE;
    case VT_I2: return static_cast<std::int16_t>(V_I2(&value));
    case VT_UI1: return static_cast<std::int16_t>(V_UI1(&value));
    case VT_I4: return static_cast<std::int32_t>(V_I4(&value));
    case VT_I1: return FromInteger(V_I1(&value));
    case VT_UI2: return FromInteger(V_UI2(&value));
    case VT_UI4: return FromInteger(V_UI4(&value));
    case VT_INT: return FromInteger(V_INT(&value));
    case VT_UINT: return FromInteger(V_UINT(&value));
    case VT_I8: return FromInteger(V_I8(&value));
    case VT_UI8: return static_cast<double>(V_UI8(&value));
    case VT_R4: return static_cast<double>(V_R4(&value));
    case VT_R8: return V_R8(&value);
    case VT_BSTR: return BstrToCode(V_BSTR(&value));
    case VT_DISPATCH:
      if (V_DISPATCH(&value) == nullptr) return HostValue::Object{};
      return HostValue::Object(std::make_shared<DispatchHostObject>(V_DISPATCH(&value)));
    default: {
      // Currency, dates and decimals: as the number they stand for.
      OwnedVariant number;
      if (FAILED(VariantChangeType(number.get(), &value, 0, VT_R8))) {
        throw RunTimeError(kTypeMismatch);
      }
      return V_R8(number.get());
    }
  }
}

HostValue LetValueFromVariant(VARIANT& value) {
  HostValue given = HostValueFromVariant(value);
  const auto* object = std::get_if<HostValue::Object>(&given.storage());
  if (object == nullptr) return given;
  if (*object == nullptr) throw RunTimeError(kObjectVariableNotSet, "no object");
  HostValue standing = static_cast<const DispatchHostObject&>(**object).DefaultValue();
  if (std::holds_alternative<HostValue::Object>(standing.storage())) {
    throw RunTimeError(kTypeMismatch, "an object's default value is an object");
  }
  return standing;
}

namespace {

struct ToVariant {
  VARIANT* target;
  void operator()(std::monostate) const {}
  void operator()(bool value) const {
    V_VT(target) = VT_BOOL;
    V_BOOL(target) = value ? VARIANT_TRUE : VARIANT_FALSE;
  }
  void operator()(std::int16_t value) const {
    V_VT(target) = VT_I2;
    V_I2(target) = value;
  }
  void operator()(std::int32_t value) const {
    V_VT(target) = VT_I4;
    V_I4(target) = value;
  }
  void operator()(double value) const {
    V_VT(target) = VT_R8;
    V_R8(target) = value;
  }
  void operator()(const CodeString& text) const {
    V_BSTR(target) = CodeToBstr(text);
    V_VT(target) = VT_BSTR;
  }
  void operator()(const HostValue::Object& object) const {
    IDispatch* dispatch = nullptr;
    if (object != nullptr) {
      const auto* host = dynamic_cast<const DispatchHostObject*>(object.get());
      if (host == nullptr) throw RunTimeError(kTypeMismatch, "not an object of the host");
      dispatch = host->dispatch();
    }
    if (dispatch != nullptr) dispatch->AddRef();
    V_VT(target) = VT_DISPATCH;
    V_DISPATCH(target) = dispatch;
  }
};

// Arguments in the order IDispatch wants them: last first.
class Arguments {
 public:
  explicit Arguments(std::span<const HostValue> values) : variants_(values.size()) {
    for (VARIANT& variant : variants_) VariantInit(&variant);
    try {
      for (std::size_t i = 0; i < values.size(); ++i) {
        std::visit(ToVariant{&variants_[values.size() - 1 - i]}, values[i].storage());
      }
    } catch (...) {
      Clear();  // the arguments made before the one that failed
      throw;
    }
  }
  Arguments(const Arguments&) = delete;
  Arguments& operator=(const Arguments&) = delete;
  ~Arguments() { Clear(); }
  VARIANT* data() { return variants_.data(); }
  UINT count() const { return static_cast<UINT>(variants_.size()); }

 private:
  void Clear() {
    for (VARIANT& variant : variants_) VariantClear(&variant);
  }

  std::vector<VARIANT> variants_;
};

}  // namespace

void HostValueToVariant(const HostValue& value, VARIANT* target) {
  VariantInit(target);
  std::visit(ToVariant{target}, value.storage());
}

DispatchHostObject::DispatchHostObject(IDispatch* object) : object_(object) {
  if (object_ != nullptr) object_->AddRef();
}

DispatchHostObject::~DispatchHostObject() {
  if (object_ != nullptr) object_->Release();
}

DISPID DispatchHostObject::IdOf(std::string_view member) const {
  if (object_ == nullptr) throw RunTimeError(kObjectVariableNotSet, std::string(member));
  std::wstring name = WideName(member);
  LPOLESTR names[] = {name.data()};
  DISPID id = DISPID_UNKNOWN;
  const HRESULT result = object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (SUCCEEDED(result)) return id;
  if (result == DISP_E_UNKNOWNNAME) NoSuchMember(member);

  IDispatchEx* expando = nullptr;
  if (FAILED(object_->QueryInterface(kIdDispatchEx, reinterpret_cast<void**>(&expando)))) {
    NoSuchMember(member);
  }
  const OwnedBstr bstrName(name);
  const HRESULT found = expando->GetDispID(bstrName.get(), fdexNameCaseInsensitive, &id);
  expando->Release();
  if (FAILED(found)) NoSuchMember(member);
  return id;
}

HostValue DispatchHostObject::Invoke(std::string_view member, WORD flags,
                                     DISPPARAMS& params) const {
  return Invoke(IdOf(member), member, flags, params);
}

HostValue DispatchHostObject::Invoke(DISPID id, std::string_view member, WORD flags,
                                     DISPPARAMS& params) const {
  OwnedVariant result;
  EXCEPINFO exception{};
  UINT argumentError = 0;
  const HRESULT outcome = object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                          result.get(), &exception, &argumentError);
  struct ExceptionStrings {
    EXCEPINFO& info;
    ~ExceptionStrings() {
      SysFreeString(info.bstrSource);
      SysFreeString(info.bstrDescription);
      SysFreeString(info.bstrHelpFile);
    }
  } release{exception};
  if (FAILED(outcome)) InvokeFailed(member, outcome, exception);
  return HostValueFromVariant(*result.get());
}

HostValue DispatchHostObject::Get(std::string_view member) {
  DISPPARAMS params{};
  return Invoke(member, DISPATCH_PROPERTYGET, params);
}

void DispatchHostObject::Put(std::string_view member, const HostValue& value) {
  Arguments arguments({&value, 1});
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{arguments.data(), &named, 1, 1};
  Invoke(member, DISPATCH_PROPERTYPUT, params);
}

HostValue DispatchHostObject::DefaultValue() const {
  if (object_ == nullptr) throw RunTimeError(kObjectVariableNotSet, "no object");
  DISPPARAMS params{};
  return Invoke(DISPID_VALUE, "the default member", DISPATCH_PROPERTYGET, params);
}

HostValue DispatchHostObject::Call(std::string_view member, std::span<const HostValue> values) {
  Arguments arguments(values);
  DISPPARAMS params{arguments.data(), nullptr, arguments.count(), 0};
  return Invoke(member, DISPATCH_METHOD, params);
}

}  // namespace pelikar::com
