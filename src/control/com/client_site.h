#pragma once
// The control's link to the container that sites it: the client site, the ambient
// properties read from the site's IDispatch, the parent form reached through the
// extended control, and the notification of property changes. A control without a
// site (created by a script client) and a site without ambient properties (Wine's
// ATL container) run, with the default font.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include "control/com/connection_points.h"
#include "control/container.h"

namespace pelikar::com {

class ClientSite final : public control::Container {
 public:
  explicit ClientSite(ConnectionPoint& propertyNotify);
  ClientSite(const ClientSite&) = delete;
  ClientSite& operator=(const ClientSite&) = delete;
  ~ClientSite() override;

  // IOleObject::SetClientSite: holds the site (NULL lets it go) and reads UserMode.
  void Set(IOleClientSite* site);
  IOleClientSite* get() const { return site_; }
  // IOleControl::OnAmbientPropertyChange: UserMode is read again when it (or any
  // ambient property, DISPID_UNKNOWN) changed.
  void AmbientChanged(DISPID property);

  // Whether a property changed since the control was last saved.
  bool dirty() const { return dirty_; }
  void SetDirty(bool dirty) { dirty_ = dirty; }

  // control::Container
  bool UserMode() override { return userMode_; }
  host::HostValue AmbientFont() override;
  void PropertyChanged(std::string_view property) override;
  host::HostValue::Object ParentForm() override;

 private:
  // The ambient property's value, false when the site offers none.
  bool Ambient(DISPID property, VARIANT* value) const;
  IFontDisp* DefaultFont();

  ConnectionPoint& propertyNotify_;
  IOleClientSite* site_ = nullptr;
  bool userMode_ = true;
  bool dirty_ = false;
  IFontDisp* defaultFont_ = nullptr;
};

}  // namespace pelikar::com
