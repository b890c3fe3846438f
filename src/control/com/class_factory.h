#pragma once
// The class factory of the control. A factory counts as a live object of the
// module, and LockServer holds the module loaded between creations.
#include <windows.h>
#include <unknwn.h>

namespace pelikar::com {

class ClassFactory final : public IClassFactory {
 public:
  static HRESULT Create(REFIID interfaceId, void** object);

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID interfaceId, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IClassFactory
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID interfaceId, void** object) override;
  STDMETHODIMP LockServer(BOOL lock) override;

 private:
  ClassFactory();
  ~ClassFactory();

  LONG references_ = 1;
};

}  // namespace pelikar::com
