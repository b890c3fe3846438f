#pragma once
// A host field as the typing routines use it: its members by name, with the values
// converted as the host's run-time converts them. Every member access may raise the
// RunTimeError of a field that lacks the member or refuses the value.
#include <cstdint>
#include <string_view>

#include "common/code_string.h"
#include "host/host_value.h"
#include "input/typing.h"

namespace pelikar::input {

class HostField {
 public:
  explicit HostField(host::HostObject& object) : object_(object) {}

  CodeString Tag() { return host::TextOf(object_.Get("Tag")); }
  CodeString Name() { return host::TextOf(object_.Get("Name")); }
  CodeString Text() { return host::TextOf(object_.Get("Text")); }
  std::int32_t SelStart() { return object_.Get("SelStart").ToLong(); }
  bool Locked() { return host::NumberOf(object_.Get("Locked")) != 0; }
  // Locked, where the field has that property: a field without it is never locked.
  bool LockedIfAny();
  std::int32_t MaxLength() { return object_.Get("MaxLength").ToLong(); }
  // The host's "MultiLine = True": only the value True counts.
  bool MultiLine() { return host::NumberOf(object_.Get("MultiLine")) == -1; }

  void SetText(CodeView text) { object_.Put("Text", CodeString(text)); }
  void SetSelStart(std::int32_t position) { object_.Put("SelStart", position); }
  // Removes the selection, if the field has one.
  void ClearSelection() { object_.Put("SelText", CodeString()); }
  // Removes the selection and tells whether there was one to remove.
  bool RemoveSelection();

 private:
  host::HostObject& object_;
};

// Whether count more characters fit in the text box: a Visual Basic host (Environment
// 0) leaves MaxLength to the control, any other host keeps it itself.
bool HasRoomFor(HostField& field, std::size_t count, const TypingSettings& settings);

}  // namespace pelikar::input
