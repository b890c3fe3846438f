#pragma once
// The class factory of one class of the module (the control, its property page). A
// factory counts as a live object of the module, and LockServer holds the module
// loaded between creations.
#include <windows.h>
#include <unknwn.h>

namespace pelikar::com {

class ClassFactory final : public IClassFactory {
 public:
  // Makes a new object of the class and queries it for an interface.
  using Creator = HRESULT (*)(REFIID interfaceId, void** object);
  static HRESULT Create(Creator creator, REFIID interfaceId, void** object);

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID interfaceId, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IClassFactory
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID interfaceId, void** object) override;
  STDMETHODIMP LockServer(BOOL lock) override;

 private:
  explicit ClassFactory(Creator creator);
  ~ClassFactory();

  Creator creator_;
  LONG references_ = 1;
};

}  // namespace pelikar::com
