#pragma once
// Host objects (fields, labels, forms) as the control reaches them: by member name at
// run time, never through a typed interface, and the values that cross to and from
// them, converted as the host's run-time converts them. The COM layer adapts
// IDispatch to this; tests use objects of their own.
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <variant>

#include "common/code_string.h"

namespace pelikar::host {

class HostObject;

// A value crossing to or from a host object.
class HostValue {
 public:
  using Object = std::shared_ptr<HostObject>;
  using Storage =
      std::variant<std::monostate, bool, std::int16_t, std::int32_t, double, CodeString, Object>;

  HostValue() = default;
  template <class T>
  HostValue(T value) : storage_(std::move(value)) {}

  const Storage& storage() const { return storage_; }
  bool empty() const { return std::holds_alternative<std::monostate>(storage_); }

  // The value as a 32-bit integer, as the host's run-time converts it: empty is 0,
  // True is -1, numbers round half to even and a number text is read; out of range
  // raises Overflow, anything else Type mismatch.
  std::int32_t ToLong() const;

 private:
  Storage storage_;
};

// A value where the host's run-time expects a string: empty is "", numbers and
// Booleans are written out; an object is a type mismatch.
CodeString TextOf(const HostValue& value);
// A value where a number is compared: empty is 0, True is -1, a number text is read.
double NumberOf(const HostValue& value);
// A value where a Boolean is expected: numbers are True unless 0, and the texts
// "True" and "False" (any case, blanks around) are what they say.
bool TruthOf(const HostValue& value);

class HostObject {
 public:
  virtual ~HostObject() = default;
  // Each raises a RunTimeError when the object lacks the member or refuses the call.
  virtual HostValue Get(std::string_view member) = 0;
  virtual void Put(std::string_view member, const HostValue& value) = 0;
  virtual HostValue Call(std::string_view member, std::span<const HostValue> arguments) = 0;
};

}  // namespace pelikar::host
