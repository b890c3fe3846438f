#pragma once
// A host object behind IDispatch, reached by member name at run time. Names are looked
// up with GetIDsOfNames; script objects that do not answer it (the class instances of
// Wine's VBScript) are asked through IDispatchEx::GetDispID instead. Failures become
// the run-time errors a host expects: 91 for no object, 438 for a missing member, the
// object's own error number when it raises one.
#include <windows.h>
#include <oleauto.h>

#include "control/host_object.h"

namespace pelikar::com {

class DispatchHostObject final : public control::HostObject {
 public:
  // Holds a reference to object, which may be NULL (the host's Nothing).
  explicit DispatchHostObject(IDispatch* object);
  DispatchHostObject(const DispatchHostObject&) = delete;
  DispatchHostObject& operator=(const DispatchHostObject&) = delete;
  ~DispatchHostObject() override;

  control::HostValue Get(std::string_view member) override;
  void Put(std::string_view member, const control::HostValue& value) override;
  control::HostValue Call(std::string_view member,
                          std::span<const control::HostValue> arguments) override;

  IDispatch* dispatch() const { return object_; }

 private:
  DISPID IdOf(std::string_view member) const;
  control::HostValue Invoke(std::string_view member, WORD flags, DISPPARAMS& params) const;

  IDispatch* object_;
};

// Values as they cross IDispatch: a VARIANT (also by reference) as a host value, and
// back into a VARIANT that the caller clears. Objects cross as IDispatch; a value
// without a host counterpart raises Type mismatch.
control::HostValue HostValueFromVariant(VARIANT& value);
void HostValueToVariant(const control::HostValue& value, VARIANT* target);

}  // namespace pelikar::com
