#pragma once
// Late-bound calls on an IDispatch, the way a script engine makes them: names through
// GetIDsOfNames, arguments last to first, errors in an EXCEPINFO.
#include <windows.h>
#include <oleauto.h>

#include <initializer_list>
#include <string>
#include <utility>

namespace pelikar::com_tests {

// ASCII text of a wide string, anything else as "?": for labels and test messages.
inline std::string Narrow(const std::wstring& text) {
  std::string narrow;
  for (wchar_t c : text) narrow += c < 128 ? static_cast<char>(c) : '?';
  return narrow;
}

// A VARIANT that clears itself.
class Variant {
 public:
  Variant() { VariantInit(&value_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  ~Variant() { VariantClear(&value_); }

  static Variant Nothing();  // an object reference to no object
  static Variant Short(short number);
  static Variant Long(long number);
  static Variant Text(const std::wstring& text);
  // A script engine's reference to one of its variables.
  static Variant Reference(VARIANT* variable);
  // A compiled client's typed reference.
  static Variant ShortReference(short* number);

  VARIANT* get() { return &value_; }
  const VARIANT* get() const { return &value_; }
  VARTYPE type() const { return V_VT(&value_); }
  std::wstring text() const;  // VT_BSTR only

  Variant(Variant&& other) noexcept : value_(other.value_) { VariantInit(&other.value_); }

 private:
  VARIANT value_;
};

struct CallResult {
  CallResult() { exception = EXCEPINFO{}; }
  CallResult(const CallResult&) = delete;
  CallResult(CallResult&& other) noexcept
      : result(other.result),
        value(std::move(other.value)),
        exception(other.exception),
        argumentError(other.argumentError) {
    other.exception = EXCEPINFO{};
  }
  ~CallResult();

  HRESULT result = E_FAIL;
  Variant value;
  EXCEPINFO exception;
  UINT argumentError = static_cast<UINT>(-1);

  std::wstring description() const;
  std::wstring source() const;
};

// Calls the member name with the arguments in their natural order.
CallResult Call(IDispatch* object, const wchar_t* name,
                std::initializer_list<const Variant*> arguments,
                WORD flags = DISPATCH_METHOD);

}  // namespace pelikar::com_tests
