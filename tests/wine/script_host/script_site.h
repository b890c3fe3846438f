#pragma once
// The script engine's site: hands out the Host object and reports script errors
// with file, line and column.
#include <windows.h>
#include <activscp.h>

#include <string>

#include "host_object.h"

namespace pelikar::script_host {

class ScriptSite final : public IActiveScriptSite {
 public:
  ScriptSite(std::wstring scriptPath, HostObject* host);

  int errors() const { return errors_; }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID interfaceId, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IActiveScriptSite
  STDMETHODIMP GetLCID(LCID* locale) override;
  STDMETHODIMP GetItemInfo(LPCOLESTR name, DWORD mask, IUnknown** item,
                           ITypeInfo** typeInfo) override;
  STDMETHODIMP GetDocVersionString(BSTR* version) override;
  STDMETHODIMP OnScriptTerminate(const VARIANT* result, const EXCEPINFO* exception) override;
  STDMETHODIMP OnStateChange(SCRIPTSTATE state) override;
  STDMETHODIMP OnScriptError(IActiveScriptError* error) override;
  STDMETHODIMP OnEnterScript() override;
  STDMETHODIMP OnLeaveScript() override;

 private:
  ~ScriptSite();

  LONG references_ = 1;
  std::wstring scriptPath_;
  HostObject* host_;
  int errors_ = 0;
};

}  // namespace pelikar::script_host
