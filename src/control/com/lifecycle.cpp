#include "control/com/lifecycle.h"

#include "control/com/com_error.h"

namespace pelikar::com {

HRESULT Lifecycle::InitNew() {
  if (initialized_) return E_UNEXPECTED;  // made or loaded already
  const HRESULT result = Guarded([&] { control_.InitProperties(); });
  if (SUCCEEDED(result)) initialized_ = true;
  return result;
}

HRESULT Lifecycle::Load(control::PropertyBag& bag) {
  if (initialized_) return E_UNEXPECTED;  // made or loaded already
  const HRESULT result = Guarded([&] { control_.ReadProperties(bag); });
  if (SUCCEEDED(result)) initialized_ = true;
  return result;
}

HRESULT Lifecycle::Save(control::PropertyBag& bag) {
  return Guarded([&] { control_.WriteProperties(bag); });
}

void Lifecycle::Saved(bool clearDirty) {
  if (clearDirty) site_.SetDirty(false);
}

HRESULT Lifecycle::Measure(control::PropertyBag& bag) const {
  return Guarded([&] { control_.SaveValues(bag); });
}

}  // namespace pelikar::com
