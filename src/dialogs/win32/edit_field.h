#pragma once
// A real EDIT control as a host field: the members the insertion routine uses (Text,
// SelStart, SelText), read and written by name on the window, so that the control's
// own text field types exactly as a host's text box does. The text is a code string,
// one code per character through the ANSI code page.
#include <windows.h>

#include "host/host_value.h"

namespace pelikar::dialogs::win32 {

class EditField final : public host::HostObject {
 public:
  explicit EditField(HWND edit) : edit_(edit) {}

  // A member the field lacks raises Object doesn't support this property or method.
  host::HostValue Get(std::string_view member) override;
  void Put(std::string_view member, const host::HostValue& value) override;
  host::HostValue Call(std::string_view member,
                          std::span<const host::HostValue> arguments) override;

  CodeString Text() const;

 private:
  void Selection(DWORD& start, DWORD& end) const;

  HWND edit_;
};

}  // namespace pelikar::dialogs::win32
