#pragma once
// A client's side of the control: the module loaded from the path given on the
// command line with its entry points, the identifiers a client knows (written out
// here, independently of the IDL), and late-bound calls made the way a script engine
// makes them: names through GetIDsOfNames, arguments last to first, errors in an
// EXCEPINFO.
#include <windows.h>
#include <oleauto.h>

#include <initializer_list>
#include <string>
#include <utility>

namespace pelikar::com_tests {

inline constexpr CLSID kPelikarClass = {
    0xC192A5C2, 0x5059, 0x416A, {0x91, 0x46, 0x06, 0x1C, 0x58, 0xB0, 0xA2, 0x5D}};
inline constexpr IID kPelikarInterface = {
    0xF8FA9288, 0x79E9, 0x4420, {0xB8, 0x3B, 0x8B, 0x9B, 0x41, 0x04, 0x41, 0xD1}};
inline constexpr IID kPelikarEvents = {
    0x112C5F97, 0x321A, 0x411A, {0xB0, 0xA1, 0x28, 0x34, 0x18, 0xB3, 0x13, 0x8D}};
inline constexpr GUID kPelikarLibrary = {
    0xF3074081, 0x0379, 0x437B, {0xB4, 0xE2, 0xB1, 0x53, 0xF0, 0x55, 0xD3, 0x06}};
inline constexpr CLSID kPropertyPageClass = {
    0xBD2E022E, 0xAFAF, 0x4351, {0xB1, 0x5B, 0x8C, 0x80, 0x8D, 0x08, 0x76, 0xE7}};

std::wstring& OcxPath();  // set once by main
std::wstring GuidText(REFGUID guid);

// ASCII text of a wide string, anything else as "?": for labels and test messages.
inline std::string Narrow(const std::wstring& text) {
  std::string narrow;
  for (wchar_t c : text) narrow += c < 128 ? static_cast<char>(c) : '?';
  return narrow;
}

// A value as text, as VBScript's CStr gives it ("True" for a Boolean); "<type n>"
// for a value that has none.
std::wstring TextOf(const VARIANT& value);

// The .ocx loaded with LoadLibrary and its four entry points.
class OcxModule {
 public:
  OcxModule() : module_(LoadLibraryW(OcxPath().c_str())) {}
  OcxModule(const OcxModule&) = delete;
  OcxModule& operator=(const OcxModule&) = delete;
  ~OcxModule() { FreeLibrary(module_); }

  bool loaded() const { return module_ != nullptr; }
  HRESULT RegisterServer() const { return Server("DllRegisterServer"); }
  HRESULT UnregisterServer() const { return Server("DllUnregisterServer"); }
  HRESULT CanUnloadNow() const { return Server("DllCanUnloadNow"); }
  HRESULT GetClassObject(REFCLSID classId, REFIID interfaceId, void** object) const;
  // A new object of the class as the interface, for the caller to release; null
  // when it cannot be made.
  template <class Interface = IUnknown>
  Interface* New(REFCLSID classId = kPelikarClass, REFIID interfaceId = IID_IUnknown) const {
    return static_cast<Interface*>(NewObject(classId, interfaceId));
  }

 private:
  HRESULT Server(const char* entry) const;
  void* NewObject(REFCLSID classId, REFIID interfaceId) const;
  HMODULE module_;
};

// A VARIANT that clears itself.
class Variant {
 public:
  Variant() { VariantInit(&value_); }
  Variant(Variant&& other) noexcept : value_(other.value_) { VariantInit(&other.value_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  ~Variant() { VariantClear(&value_); }

  // A number as the type: VT_I2, VT_I4, VT_UI1, VT_R4, VT_BOOL (non-zero is True).
  static Variant Number(VARTYPE type, double number);
  static Variant Short(short number) { return Number(VT_I2, number); }
  static Variant Long(long number) { return Number(VT_I4, number); }
  static Variant Text(const std::wstring& text);
  // A script engine's reference to one of its variables.
  static Variant Reference(VARIANT* variable);
  // A compiled client's typed reference.
  static Variant ShortReference(short* number);

  VARIANT* get() { return &value_; }
  const VARIANT* get() const { return &value_; }
  VARTYPE type() const { return V_VT(&value_); }
  std::wstring text() const;  // VT_BSTR only

 private:
  VARIANT value_;
};

// The object, referenced by the variant; nullptr gives Nothing.
Variant Object(IDispatch* object);

struct CallResult {
  CallResult() = default;
  CallResult(CallResult&& other) noexcept
      : result(other.result), value(std::move(other.value)),
        exception(std::exchange(other.exception, {})), argumentError(other.argumentError) {}
  ~CallResult();

  HRESULT result = E_FAIL;
  Variant value;
  EXCEPINFO exception{};
  UINT argumentError = static_cast<UINT>(-1);

  std::wstring description() const;
};

// Calls the member name with the arguments in their natural order.
CallResult Call(IDispatch* object, const wchar_t* name,
                std::initializer_list<const Variant*> arguments,
                WORD flags = DISPATCH_METHOD);

}  // namespace pelikar::com_tests
