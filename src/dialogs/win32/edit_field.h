#pragma once
// A real EDIT control as a host field: the members the insertion routine uses (Text,
// SelStart, SelText), read and written by name on the window, so that the control's
// own text field types exactly as a host's text box does. The text is a code string,
// one code per character through the ANSI code page.
#include <windows.h>

#include "control/host_object.h"

namespace pelikar::dialogs::win32 {

class EditField final : public control::HostObject {
 public:
  explicit EditField(HWND edit) : edit_(edit) {}

  // A member the field lacks raises Object doesn't support this property or method.
  control::HostValue Get(std::string_view member) override;
  void Put(std::string_view member, const control::HostValue& value) override;
  control::HostValue Call(std::string_view member,
                          std::span<const control::HostValue> arguments) override;

  CodeString Text() const;

 private:
  void Selection(DWORD& start, DWORD& end) const;

  HWND edit_;
};

}  // namespace pelikar::dialogs::win32
