#include "recording_objects.h"

namespace pelikar::container_tests {
namespace {

bool SameName(const std::wstring& a, const std::wstring& b) {
  return _wcsicmp(a.c_str(), b.c_str()) == 0;
}

VARIANT CopyOf(const VARIANT& value) {
  VARIANT copy;
  VariantInit(&copy);
  VariantCopy(&copy, const_cast<VARIANT*>(&value));
  return copy;
}

}  // namespace

std::string Narrow(const std::wstring& text) {
  std::string narrow;
  for (wchar_t c : text) narrow += c < 128 ? static_cast<char>(c) : '?';
  return narrow;
}

RecordingObject::~RecordingObject() {
  for (NamedValue& property : properties_) VariantClear(&property.value);
}

void RecordingObject::Set(const std::wstring& name, const VARIANT& value) {
  const DISPID id = IdOf(name);
  if (id != DISPID_UNKNOWN) {
    VariantCopy(&properties_[id - 1].value, const_cast<VARIANT*>(&value));
  } else {
    properties_.push_back({name, CopyOf(value)});
  }
}

DISPID RecordingObject::IdOf(const std::wstring& name) const {
  for (std::size_t i = 0; i < properties_.size(); ++i) {
    if (SameName(properties_[i].name, name)) return static_cast<DISPID>(i + 1);
  }
  return DISPID_UNKNOWN;
}

STDMETHODIMP RecordingObject::QueryInterface(REFIID interfaceId, void** object) {
  if (IsEqualIID(interfaceId, IID_IUnknown) || IsEqualIID(interfaceId, IID_IDispatch)) {
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP RecordingObject::GetTypeInfoCount(UINT* count) {
  *count = 0;
  return S_OK;
}

STDMETHODIMP RecordingObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  *info = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP RecordingObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) {
  if (count != 1) return E_INVALIDARG;
  ids[0] = IdOf(names[0]);
  return ids[0] != DISPID_UNKNOWN ? S_OK : DISP_E_UNKNOWNNAME;
}

STDMETHODIMP RecordingObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO*, UINT*) {
  if (id == DISPID_VALUE && IdOf(L"Value") != DISPID_UNKNOWN) id = IdOf(L"Value");
  if (id < 1 || static_cast<std::size_t>(id) > properties_.size()) {
    log_.Add(label_ + ".Invoke " + std::to_string(id));
    return DISP_E_MEMBERNOTFOUND;
  }
  NamedValue& property = properties_[id - 1];
  if (flags & DISPATCH_PROPERTYPUT) {
    log_.Add(label_ + ".Put " + Narrow(property.name));
    if (params->cArgs != 1) return DISP_E_BADPARAMCOUNT;
    return VariantCopyInd(&property.value, &params->rgvarg[0]);
  }
  log_.Add(label_ + ".Get " + Narrow(property.name));
  if (result == nullptr) return S_OK;
  VariantInit(result);
  return VariantCopy(result, &property.value);
}

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
