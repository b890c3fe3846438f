#pragma once
// The object that scripts see as "Host": Echo, Fail, Quit and a few facts about the
// process. It records what the script reported, from which the host's exit code
// follows.
#include <windows.h>
#include <oleauto.h>

#include <string>
#include <vector>

namespace pelikar::script_host {

class HostObject final : public IDispatch {
 public:
  explicit HostObject(std::vector<std::wstring> arguments);

  int failures() const { return failures_; }
  bool quitRequested() const { return quitRequested_; }
  int quitCode() const { return quitCode_; }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID interfaceId, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IDispatch
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  STDMETHODIMP GetIDsOfNames(REFIID interfaceId, LPOLESTR* names, UINT count, LCID locale,
                             DISPID* ids) override;
  STDMETHODIMP Invoke(DISPID id, REFIID interfaceId, LCID locale, WORD flags, DISPPARAMS* params,
                      VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

 private:
  ~HostObject() = default;

  HRESULT Echo(const DISPPARAMS& params);
  HRESULT Fail(const DISPPARAMS& params);
  HRESULT Quit(const DISPPARAMS& params);
  HRESULT Argument(const DISPPARAMS& params, VARIANT* result);

  LONG references_ = 1;
  std::vector<std::wstring> arguments_;
  int failures_ = 0;
  bool quitRequested_ = false;
  int quitCode_ = 0;
};

// Writes text as UTF-8 to stdout or stderr.
void WriteUtf8(FILE* stream, const std::wstring& text);

}  // namespace pelikar::script_host
