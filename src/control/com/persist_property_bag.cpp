#include "control/com/persist_property_bag.h"

#include <string>

#include "common/run_time_error.h"
#include "control/com/dispatch_host_object.h"
#include "pelikar_h.h"

namespace pelikar::com {
namespace {

// The container's IPropertyBag as the control reads and writes it.
class ContainerPropertyBag final : public control::PropertyBag {
 public:
  ContainerPropertyBag(IPropertyBag& bag, IErrorLog* errorLog) : bag_(bag), errorLog_(errorLog) {}

  host::HostValue Read(std::string_view name, const host::HostValue& defaultValue) override {
    const std::wstring wideName(name.begin(), name.end());
    VARIANT value;
    VariantInit(&value);  // VT_EMPTY: the value as the bag holds it
    const HRESULT result = bag_.Read(wideName.c_str(), &value, errorLog_);
    // The bag's answer for a name it does not hold.
    if (result == E_INVALIDARG) return defaultValue;
    if (FAILED(result)) Failed("reading", name);
    struct Clear {
      VARIANT& value;
      ~Clear() { VariantClear(&value); }
    } clear{value};
    // Objects (a saved font) may come as IUnknown.
    if (V_VT(&value) == VT_UNKNOWN) VariantChangeType(&value, &value, 0, VT_DISPATCH);
    return HostValueFromVariant(value);
  }

  void Write(std::string_view name, const host::HostValue& value) override {
    const std::wstring wideName(name.begin(), name.end());
    VARIANT saved;
    HostValueToVariant(value, &saved);
    const HRESULT result = bag_.Write(wideName.c_str(), &saved);
    VariantClear(&saved);
    if (FAILED(result)) Failed("writing", name);
  }

 private:
  [[noreturn]] static void Failed(std::string_view doing, std::string_view name) {
    throw RunTimeError(kAutomationError,
                       "the property bag failed " + std::string(doing) + " " + std::string(name));
  }

  IPropertyBag& bag_;
  IErrorLog* errorLog_;
};

}  // namespace

STDMETHODIMP PersistPropertyBag::GetClassID(CLSID* classId) {
  if (classId == nullptr) return E_POINTER;
  *classId = CLSID_Pelikar;
  return S_OK;
}

STDMETHODIMP PersistPropertyBag::InitNew() { return lifecycle_.InitNew(); }

STDMETHODIMP PersistPropertyBag::Load(IPropertyBag* bag, IErrorLog* errorLog) {
  if (bag == nullptr) return E_POINTER;
  ContainerPropertyBag properties(*bag, errorLog);
  return lifecycle_.Load(properties);
}

// The control always saves all four properties.
STDMETHODIMP PersistPropertyBag::Save(IPropertyBag* bag, BOOL clearDirty,
                                      BOOL /*saveAllProperties*/) {
  if (bag == nullptr) return E_POINTER;
  ContainerPropertyBag properties(*bag, nullptr);
  const HRESULT result = lifecycle_.Save(properties);
  if (SUCCEEDED(result)) lifecycle_.Saved(clearDirty != FALSE);
  return result;
}

}  // namespace pelikar::com
