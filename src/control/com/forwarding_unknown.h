#pragma once
// One COM interface of the control, implemented by a class of its own that lives
// inside the control object: its IUnknown is the control's, so every interface
// shares one identity and one reference count.
#include <windows.h>
#include <unknwn.h>

namespace pelikar::com {

template <class Interface>
class ForwardingUnknown : public Interface {
 public:
  explicit ForwardingUnknown(IUnknown& owner) : owner_(owner) {}
  ForwardingUnknown(const ForwardingUnknown&) = delete;
  ForwardingUnknown& operator=(const ForwardingUnknown&) = delete;

  STDMETHODIMP QueryInterface(REFIID interfaceId, void** object) override {
    return owner_.QueryInterface(interfaceId, object);
  }
  STDMETHODIMP_(ULONG) AddRef() override { return owner_.AddRef(); }
  STDMETHODIMP_(ULONG) Release() override { return owner_.Release(); }

 protected:
  ~ForwardingUnknown() = default;
  IUnknown& owner() const { return owner_; }

 private:
  IUnknown& owner_;
};

}  // namespace pelikar::com
