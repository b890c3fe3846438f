#pragma once
// The control's saved properties: named values in the container's property bag. A
// container that saves controls into a stream instead gets the same named values as
// bytes (MemoryPropertyBag), so both ways of saving keep exactly the same things.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/host_value.h"

namespace pelikar::control {

class PropertyBag {
 public:
  virtual ~PropertyBag() = default;
  // The value saved under name, or defaultValue when the bag holds none. A bag that
  // fails raises a RunTimeError.
  virtual host::HostValue Read(std::string_view name, const host::HostValue& defaultValue) = 0;
  virtual void Write(std::string_view name, const host::HostValue& value) = 0;
};

class MemoryPropertyBag final : public PropertyBag {
 public:
  host::HostValue Read(std::string_view name, const host::HostValue& defaultValue) override;
  // A value written again replaces the earlier one.
  void Write(std::string_view name, const host::HostValue& value) override;

  // The values as bytes: a signature, a version and each value with its name and
  // kind. Objects cannot be saved: they raise Type mismatch.
  std::string Serialize() const;
  // The bag that Serialize wrote; bytes of any other kind raise Invalid procedure call.
  static MemoryPropertyBag Parse(std::string_view bytes);

 private:
  std::vector<std::pair<std::string, host::HostValue>> values_;
};

}  // namespace pelikar::control
