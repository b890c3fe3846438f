#include "control/com/client_site.h"

#include <memory>
#include <string>

#include "common/run_time_error.h"
#include "control/com/dispatch_host_object.h"

namespace pelikar::com {
namespace {

// The dispatch identifiers of the properties in the type library.
DISPID PropertyId(std::string_view property) {
  if (property == "Farsi") return 1;
  if (property == "CodePage") return 2;
  if (property == "MultiLine") return 9;
  if (property == "Environment") return 42;
  return DISPID_UNKNOWN;  // "several properties changed"
}

// The font of a new form in the host's designer.
constexpr wchar_t kDefaultFontName[] = L"MS Sans Serif";
constexpr LONGLONG kDefaultFontPoints = 8;

}  // namespace

ClientSite::ClientSite(ConnectionPoint& propertyNotify) : propertyNotify_(propertyNotify) {}

ClientSite::~ClientSite() {
  if (site_ != nullptr) site_->Release();
  if (defaultFont_ != nullptr) defaultFont_->Release();
}

void ClientSite::Set(IOleClientSite* site) {
  if (site != nullptr) site->AddRef();
  if (site_ != nullptr) site_->Release();
  site_ = site;
  AmbientChanged(DISPID_AMBIENT_USERMODE);
}

void ClientSite::AmbientChanged(DISPID property) {
  if (property != DISPID_AMBIENT_USERMODE && property != DISPID_UNKNOWN) return;
  VARIANT value;
  userMode_ = !Ambient(DISPID_AMBIENT_USERMODE, &value) || V_VT(&value) != VT_BOOL ||
              V_BOOL(&value) != VARIANT_FALSE;
  VariantClear(&value);
}

bool ClientSite::Ambient(DISPID property, VARIANT* value) const {
  VariantInit(value);
  if (site_ == nullptr) return false;
  IDispatch* ambient = nullptr;
  if (FAILED(site_->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&ambient)))) {
    return false;
  }
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  const HRESULT result = ambient->Invoke(property, IID_NULL, LOCALE_USER_DEFAULT,
                                         DISPATCH_PROPERTYGET, &none, value, nullptr, nullptr);
  ambient->Release();
  if (FAILED(result)) VariantClear(value);
  return SUCCEEDED(result);
}

host::HostValue ClientSite::AmbientFont() {
  VARIANT value;
  if (Ambient(DISPID_AMBIENT_FONT, &value) &&
      SUCCEEDED(VariantChangeType(&value, &value, 0, VT_DISPATCH)) &&
      V_DISPATCH(&value) != nullptr) {
    host::HostValue font = HostValueFromVariant(value);
    VariantClear(&value);
    return font;
  }
  VariantClear(&value);
  IFontDisp* font = DefaultFont();
  if (font == nullptr) return {};
  return host::HostValue::Object(std::make_shared<DispatchHostObject>(font));
}

IFontDisp* ClientSite::DefaultFont() {
  if (defaultFont_ == nullptr) {
    FONTDESC description{};
    description.cbSizeofstruct = sizeof(FONTDESC);
    description.lpstrName = const_cast<LPOLESTR>(kDefaultFontName);
    description.cySize.int64 = kDefaultFontPoints * 10000;  // currency: 4 decimals
    description.sWeight = FW_NORMAL;
    description.sCharset = ANSI_CHARSET;
    OleCreateFontIndirect(&description, IID_IFontDisp, reinterpret_cast<void**>(&defaultFont_));
  }
  return defaultFont_;
}

// Marks the control changed, then tells every advised sink.
void ClientSite::PropertyChanged(std::string_view property) {
  dirty_ = true;
  const DISPID id = PropertyId(property);
  propertyNotify_.ForEachSink(
      [&](IUnknown* sink) { static_cast<IPropertyNotifySink*>(sink)->OnChanged(id); });
}

// The form is the extended control's Parent, as form hosts offer it. A container
// without an extended control (or one without a Parent) shows no form.
host::HostValue::Object ClientSite::ParentForm() {
  if (site_ == nullptr) return nullptr;
  IOleControlSite* controlSite = nullptr;
  if (FAILED(site_->QueryInterface(IID_IOleControlSite, reinterpret_cast<void**>(&controlSite)))) {
    return nullptr;
  }
  IDispatch* extended = nullptr;
  const HRESULT result = controlSite->GetExtendedControl(&extended);
  controlSite->Release();
  if (FAILED(result) || extended == nullptr) return nullptr;
  DispatchHostObject extender(extended);
  extended->Release();
  try {
    const host::HostValue parent = extender.Get("Parent");
    const auto* form = std::get_if<host::HostValue::Object>(&parent.storage());
    return form != nullptr ? *form : nullptr;
  } catch (const RunTimeError&) {
    return nullptr;
  }
}

}  // namespace pelikar::com
