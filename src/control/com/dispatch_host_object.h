#pragma once
// A host object behind IDispatch, reached by member name at run time. Names are looked
// up with GetIDsOfNames; script objects that do not answer it (the class instances of
// Wine's VBScript) are asked through IDispatchEx::GetDispID instead. Failures become
// the run-time errors a host expects: 91 for no object, 438 for a missing member, the
// object's own error number when it raises one.
#include <windows.h>
#include <oleauto.h>

#include "host/host_value.h"

namespace pelikar::com {

class DispatchHostObject final : public host::HostObject {
 public:
  // Holds a reference to object, which may be NULL (the host's Nothing).
  explicit DispatchHostObject(IDispatch* object);
  DispatchHostObject(const DispatchHostObject&) = delete;
  DispatchHostObject& operator=(const DispatchHostObject&) = delete;
  ~DispatchHostObject() override;

  host::HostValue Get(std::string_view member) override;
  void Put(std::string_view member, const host::HostValue& value) override;
  host::HostValue Call(std::string_view member,
                          std::span<const host::HostValue> arguments) override;

  IDispatch* dispatch() const { return object_; }
  // The value of the object's default member (DISPID_VALUE), read as a property.
  host::HostValue DefaultValue() const;

 private:
  DISPID IdOf(std::string_view member) const;
  host::HostValue Invoke(std::string_view member, WORD flags, DISPPARAMS& params) const;
  // member names the call in errors.
  host::HostValue Invoke(DISPID id, std::string_view member, WORD flags,
                            DISPPARAMS& params) const;

  IDispatch* object_;
};

// Values as they cross IDispatch: a VARIANT (also by reference) as a host value, and
// back into a VARIANT that the caller clears. Objects cross as IDispatch; a value
// without a host counterpart raises Type mismatch.
host::HostValue HostValueFromVariant(VARIANT& value);
// A value assigned to a property with Let, as the host's own assignments take it: an
// object stands for its default value (91 for Nothing, 438 for an object without
// one). The control never keeps a host's object in a property it saves.
host::HostValue LetValueFromVariant(VARIANT& value);
void HostValueToVariant(const host::HostValue& value, VARIANT* target);

}  // namespace pelikar::com
