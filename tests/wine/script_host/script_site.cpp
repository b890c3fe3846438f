#include "script_site.h"

#include <cwchar>
#include <utility>

namespace pelikar::script_host {
namespace {

std::wstring Hex(HRESULT code) {
  wchar_t text[16];
  swprintf(text, 16, L"0x%08lX", static_cast<unsigned long>(code));
  return text;
}

std::wstring TakeText(BSTR& text) {
  std::wstring result = text != nullptr ? std::wstring(text, SysStringLen(text)) : L"";
  SysFreeString(text);
  text = nullptr;
  return result;
}

}  // namespace

ScriptSite::ScriptSite(std::wstring scriptPath, HostObject* host)
    : scriptPath_(std::move(scriptPath)), host_(host) {
  host_->AddRef();
}

ScriptSite::~ScriptSite() { host_->Release(); }

STDMETHODIMP ScriptSite::QueryInterface(REFIID interfaceId, void** object) {
  if (object == nullptr) return E_POINTER;
  if (IsEqualIID(interfaceId, IID_IUnknown) || IsEqualIID(interfaceId, IID_IActiveScriptSite)) {
    *object = static_cast<IActiveScriptSite*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) ScriptSite::AddRef() { return InterlockedIncrement(&references_); }

STDMETHODIMP_(ULONG) ScriptSite::Release() {
  const ULONG remaining = InterlockedDecrement(&references_);
  if (remaining == 0) delete this;
  return remaining;
}

STDMETHODIMP ScriptSite::GetLCID(LCID*) { return E_NOTIMPL; }  // the system default

STDMETHODIMP ScriptSite::GetItemInfo(LPCOLESTR name, DWORD mask, IUnknown** item,
                                     ITypeInfo** typeInfo) {
  if (item != nullptr) *item = nullptr;
  if (typeInfo != nullptr) *typeInfo = nullptr;
  if (name == nullptr || _wcsicmp(name, L"Host") != 0) return TYPE_E_ELEMENTNOTFOUND;
  if (mask & SCRIPTINFO_IUNKNOWN) {
    if (item == nullptr) return E_POINTER;
    host_->AddRef();
    *item = host_;
  }
  return S_OK;  // Host has no type information: engines bind it late
}

STDMETHODIMP ScriptSite::GetDocVersionString(BSTR*) { return E_NOTIMPL; }
STDMETHODIMP ScriptSite::OnScriptTerminate(const VARIANT*, const EXCEPINFO*) { return S_OK; }
STDMETHODIMP ScriptSite::OnStateChange(SCRIPTSTATE) { return S_OK; }
STDMETHODIMP ScriptSite::OnEnterScript() { return S_OK; }
STDMETHODIMP ScriptSite::OnLeaveScript() { return S_OK; }

STDMETHODIMP ScriptSite::OnScriptError(IActiveScriptError* error) {
  if (error == nullptr) return E_POINTER;
  // The error that Host.Quit provokes to end the script is no failure.
  if (host_->quitRequested()) return S_OK;
  ++errors_;

  EXCEPINFO exception{};
  error->GetExceptionInfo(&exception);
  if (exception.pfnDeferredFillIn != nullptr) exception.pfnDeferredFillIn(&exception);
  DWORD context = 0;
  ULONG line = 0;
  LONG column = 0;
  error->GetSourcePosition(&context, &line, &column);
  BSTR sourceLine = nullptr;
  error->GetSourceLineText(&sourceLine);

  const HRESULT code = exception.scode != 0 ? exception.scode : exception.wCode;
  std::wstring message = scriptPath_ + L"(" + std::to_wstring(line + 1) + L"," +
                         std::to_wstring(column + 1) + L"): script error " + Hex(code) + L": " +
                         TakeText(exception.bstrDescription) + L"\n";
  const std::wstring source = TakeText(sourceLine);
  if (!source.empty()) message += L"    " + source + L"\n";
  TakeText(exception.bstrSource);
  TakeText(exception.bstrHelpFile);
  WriteUtf8(stderr, message);
  return S_OK;
}

}  // namespace pelikar::script_host
