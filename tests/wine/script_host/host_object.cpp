#include "host_object.h"

#include <cwchar>
#include <utility>

namespace pelikar::script_host {
namespace {

enum HostMember : DISPID {
  kEcho = 1,
  kFail,
  kQuit,
  kAnsiCodePage,
  kArgument,
  kArgumentCount,
};

const struct {
  const wchar_t* name;
  DISPID id;
} kMembers[] = {
    {L"Echo", kEcho},
    {L"Fail", kFail},
    {L"Quit", kQuit},
    {L"AnsiCodePage", kAnsiCodePage},
    {L"Argument", kArgument},
    {L"ArgumentCount", kArgumentCount},
};

// Arguments arrive last to first.
const VARIANT* ArgumentAt(const DISPPARAMS& params, UINT index) {
  return index < params.cArgs ? &params.rgvarg[params.cArgs - 1 - index] : nullptr;
}

std::wstring TextOf(const VARIANT* value) {
  if (value == nullptr) return {};
  VARIANT text;
  VariantInit(&text);
  if (FAILED(VariantChangeType(&text, const_cast<VARIANT*>(value), VARIANT_ALPHABOOL, VT_BSTR))) {
    return L"<variant type " + std::to_wstring(V_VT(value)) + L">";
  }
  std::wstring result(V_BSTR(&text), SysStringLen(V_BSTR(&text)));
  VariantClear(&text);
  return result;
}

HRESULT IntegerOf(const VARIANT* value, int& number) {
  VARIANT converted;
  VariantInit(&converted);
  const HRESULT result = VariantChangeType(&converted, const_cast<VARIANT*>(value), 0, VT_I4);
  if (SUCCEEDED(result)) number = V_I4(&converted);
  return result;
}

void SetInteger(VARIANT* result, int number) {
  if (result == nullptr) return;
  V_VT(result) = VT_I4;
  V_I4(result) = number;
}

}  // namespace

void WriteUtf8(FILE* stream, const std::wstring& text) {
  if (!text.empty()) {
    const int length = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr,
                                         nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), length, utf8.data(), size, nullptr, nullptr);
    fwrite(utf8.data(), 1, utf8.size(), stream);
  }
  fflush(stream);
}

HostObject::HostObject(std::vector<std::wstring> arguments) : arguments_(std::move(arguments)) {}

STDMETHODIMP HostObject::QueryInterface(REFIID interfaceId, void** object) {
  if (object == nullptr) return E_POINTER;
  if (IsEqualIID(interfaceId, IID_IUnknown) || IsEqualIID(interfaceId, IID_IDispatch)) {
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) HostObject::AddRef() { return InterlockedIncrement(&references_); }

STDMETHODIMP_(ULONG) HostObject::Release() {
  const ULONG remaining = InterlockedDecrement(&references_);
  if (remaining == 0) delete this;
  return remaining;
}

STDMETHODIMP HostObject::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  return S_OK;
}

STDMETHODIMP HostObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info != nullptr) *info = nullptr;
  return DISP_E_BADINDEX;
}

STDMETHODIMP HostObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (names == nullptr || ids == nullptr || count == 0) return E_POINTER;
  for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  for (const auto& member : kMembers) {
    if (_wcsicmp(names[0], member.name) == 0) ids[0] = member.id;
  }
  // No member takes named arguments.
  return ids[0] == DISPID_UNKNOWN || count > 1 ? DISP_E_UNKNOWNNAME : S_OK;
}

STDMETHODIMP HostObject::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params,
                                VARIANT* result, EXCEPINFO*, UINT*) {
  if (params == nullptr) return E_POINTER;
  if (result != nullptr) VariantInit(result);
  // After Quit every call fails, so that a script that keeps going (an error
  // handler, On Error Resume Next) stops doing anything.
  if (quitRequested_) return E_ABORT;
  switch (id) {
    case kEcho: return Echo(*params);
    case kFail: return Fail(*params);
    case kQuit: return Quit(*params);
    case kAnsiCodePage:
      SetInteger(result, static_cast<int>(GetACP()));
      return S_OK;
    case kArgument: return Argument(*params, result);
    case kArgumentCount:
      SetInteger(result, static_cast<int>(arguments_.size()));
      return S_OK;
    default: return DISP_E_MEMBERNOTFOUND;
  }
}

HRESULT HostObject::Echo(const DISPPARAMS& params) {
  std::wstring line;
  for (UINT i = 0; i < params.cArgs; ++i) {
    if (i > 0) line += L' ';
    line += TextOf(ArgumentAt(params, i));
  }
  WriteUtf8(stdout, line + L"\n");
  return S_OK;
}

HRESULT HostObject::Fail(const DISPPARAMS& params) {
  ++failures_;
  WriteUtf8(stderr, L"FAIL: " + TextOf(ArgumentAt(params, 0)) + L"\n");
  return S_OK;
}

// The script engine turns the failing call into an error that ends the script; the
// site knows that it was asked for and does not report it.
HRESULT HostObject::Quit(const DISPPARAMS& params) {
  int code = 0;
  if (params.cArgs > 0 && FAILED(IntegerOf(ArgumentAt(params, 0), code))) {
    return DISP_E_TYPEMISMATCH;
  }
  quitRequested_ = true;
  quitCode_ = code;
  return E_ABORT;
}

HRESULT HostObject::Argument(const DISPPARAMS& params, VARIANT* result) {
  int index = 0;
  if (params.cArgs != 1) return DISP_E_BADPARAMCOUNT;
  if (FAILED(IntegerOf(ArgumentAt(params, 0), index))) return DISP_E_TYPEMISMATCH;
  if (index < 0 || static_cast<std::size_t>(index) >= arguments_.size()) return DISP_E_BADINDEX;
  if (result != nullptr) {
    V_VT(result) = VT_BSTR;
    V_BSTR(result) = SysAllocString(arguments_[static_cast<std::size_t>(index)].c_str());
  }
  return S_OK;
}

}  // namespace pelikar::script_host
