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
std::string Narrow(const std::wstring& text);
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
  HRESULT Server(const char* entry) const { return Entry<HRESULT(STDAPICALLTYPE*)()>(entry)(); }  // DllRegisterServer...
  HRESULT CanUnloadNow() const { return Server("DllCanUnloadNow"); }
  HRESULT GetClassObject(REFCLSID classId, REFIID interfaceId, void** object) const {
    return Entry<HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**)>("DllGetClassObject")(classId, interfaceId, object);
  }
  // A new object of the class, for the caller to release; null when it cannot be made.
  template <class Interface = IUnknown>
  Interface* New(REFCLSID classId = kPelikarClass, REFIID interfaceId = IID_IUnknown) const {
    return static_cast<Interface*>(NewObject(classId, interfaceId));
  }

 private:
  template <class Function>
  Function Entry(const char* name) const {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
  }
  void* NewObject(REFCLSID classId, REFIID interfaceId) const;
  HMODULE module_;
};

// A VARIANT that clears itself, made from what tests pass: text, a number in a given
// type, an object (AddRef'd), a script's reference to its variable, a compiled
// client's typed reference to a short.
struct Variant : VARIANT {
  Variant() { VariantInit(this); }
  Variant(const wchar_t* text) : Variant(std::wstring(text)) {}
  Variant(const std::wstring& text) : Variant() {
    vt = VT_BSTR;
    bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  }
  Variant(VARTYPE type, double number) : Variant() {
    vt = VT_R8;
    dblVal = number;
    VariantChangeType(this, this, 0, type);
  }
  Variant(IDispatch* object) : Variant() { vt = VT_DISPATCH; (pdispVal = object)->AddRef(); }
  Variant(VARIANT* variable) : Variant() { vt = VT_BYREF | VT_VARIANT; pvarVal = variable; }
  Variant(short* number) : Variant() { vt = VT_BYREF | VT_I2; piVal = number; }
  Variant(const Variant& other) : Variant() { VariantCopy(this, const_cast<Variant*>(&other)); }
  Variant& operator=(const Variant&) = delete;
  ~Variant() { VariantClear(this); }

  std::wstring text() const;  // VT_BSTR only
  bool isTrue() const { return vt == VT_BOOL && V_BOOL(this) == VARIANT_TRUE; }
  long number() const;  // as a Long; 0 for what is none
};
inline Variant I2(double number) { return Variant(VT_I2, number); }
inline Variant I4(double number) { return Variant(VT_I4, number); }

struct CallResult {
  CallResult() = default;
  CallResult(CallResult&& other) noexcept;
  ~CallResult();
  // The scode a failed call reported, S_OK for a call that succeeded.
  HRESULT raised() const { return result == DISP_E_EXCEPTION ? exception.scode : result; }

  HRESULT result = E_FAIL;
  Variant value;
  EXCEPINFO exception{};
  UINT argumentError = static_cast<UINT>(-1);
};

// Calls the member name with the arguments in their natural order.
CallResult Call(IDispatch* object, const wchar_t* name, std::initializer_list<Variant> arguments = {},
                WORD flags = DISPATCH_METHOD);
inline CallResult Get(IDispatch* object, const wchar_t* name) {
  return Call(object, name, {}, DISPATCH_PROPERTYGET);
}
inline HRESULT Put(IDispatch* object, const wchar_t* name, const Variant& value) {
  return Call(object, name, {value}, DISPATCH_PROPERTYPUT).raised();
}

// The HRESULT a run-time error number travels as.
inline HRESULT RunTimeError(int number) {
  return static_cast<HRESULT>(0x800A0000u | static_cast<unsigned>(number));
}

}  // namespace pelikar::com_tests
