#include "recording_objects.h"

namespace pelikar::container_tests {
namespace {

VARIANT CopyOf(const VARIANT& value) {
  VARIANT copy;
  VariantInit(&copy);
  VariantCopy(&copy, const_cast<VARIANT*>(&value));
  return copy;
}

}  // namespace

MemoryBag::~MemoryBag() {
  for (NamedValue& entry : values_) VariantClear(&entry.value);
}

NamedValue* MemoryBag::Find(const std::wstring& name) {
  for (NamedValue& entry : values_) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}

const NamedValue* MemoryBag::Find(const std::wstring& name) const {
  return const_cast<MemoryBag*>(this)->Find(name);
}

void MemoryBag::Set(const std::wstring& name, const VARIANT& value) {
  if (NamedValue* entry = Find(name)) {
    VariantCopy(&entry->value, const_cast<VARIANT*>(&value));
  } else {
    values_.push_back({name, CopyOf(value)});
  }
}

std::vector<std::wstring> MemoryBag::Names() const {
  std::vector<std::wstring> names;
  for (const NamedValue& entry : values_) names.push_back(entry.name);
  return names;
}

VARIANT MemoryBag::Value(const std::wstring& name) const {
  VARIANT empty;
  VariantInit(&empty);
  const NamedValue* entry = Find(name);
  return entry != nullptr ? CopyOf(entry->value) : empty;
}

STDMETHODIMP MemoryBag::QueryInterface(REFIID interfaceId, void** object) {
  if (IsEqualIID(interfaceId, IID_IUnknown) || IsEqualIID(interfaceId, IID_IPropertyBag)) {
    *object = static_cast<IPropertyBag*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

// As bags do, the value comes in the type the caller asks for (VT_EMPTY: as stored).
STDMETHODIMP MemoryBag::Read(LPCOLESTR name, VARIANT* value, IErrorLog*) {
  log_.Add("bag.Read " + Narrow(name));
  NamedValue* entry = Find(name);
  if (entry == nullptr) return E_INVALIDARG;
  const VARTYPE wanted = V_VT(value);
  VariantInit(value);
  if (wanted == VT_EMPTY) return VariantCopy(value, &entry->value);
  return VariantChangeType(value, &entry->value, 0, wanted);
}

STDMETHODIMP MemoryBag::Write(LPCOLESTR name, VARIANT* value) {
  log_.Add("bag.Write " + Narrow(name));
  Set(name, *value);
  return S_OK;
}

}  // namespace pelikar::container_tests
