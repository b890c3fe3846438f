#pragma once
// A late-bound client of the control, as a host program is: it calls members by name,
// and types into a host form's text boxes as the form's key handlers do: each key goes
// to FarsiDown, then to the box itself, then its character to FarsiPress, and the box
// inserts what is left of it. The key members' names are looked up once, as a
// compiled host binds them.
#include <windows.h>
#include <oleauto.h>

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>
#include <string_view>

#include "text_box.h"

namespace pelikar::samples {

// A failed call of the control.
class CallFailed : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class ControlClient {
 public:
  // Creates the registered control by its ProgID; throws CallFailed.
  ControlClient();
  // A control placed on a form (held while the client lives).
  explicit ControlClient(IDispatch* control);
  ControlClient(const ControlClient&) = delete;
  ControlClient& operator=(const ControlClient&) = delete;
  ~ControlClient();

  // Sets a property of the control to a 16-bit integer (True is -1).
  void Put(const wchar_t* property, short value);
  // Calls a member by name with its arguments in their natural order; the result is
  // the caller's to clear.
  VARIANT Call(const wchar_t* member, std::initializer_list<VARIANT> arguments);

  // A form's key-down handler: FarsiDown with the key code and shift mask (1 Shift,
  // 2 Ctrl, 4 Alt).
  void KeyDown(IDispatch& field, short key, short shift);
  // A form's key-press handler: FarsiPress with the character; what is left of it for
  // the field to insert (0: nothing).
  short KeyPress(IDispatch& field, short character);

  IDispatch* control() const { return control_; }

  // One key into an emulated box: virtual-key code, shift mask and the character it
  // types (0 for none).
  void Press(TextBox& box, short key, short shift, short character);
  // Types each character of the text with its key on a US keyboard.
  void Type(TextBox& box, std::string_view typed);

 private:
  DISPID IdOf(const wchar_t* member);
  void Invoke(DISPID id, WORD flags, DISPPARAMS& params, const wchar_t* member,
              VARIANT* result = nullptr);

  IDispatch* control_ = nullptr;
  DISPID farsiDown_ = DISPID_UNKNOWN;
  DISPID farsiPress_ = DISPID_UNKNOWN;
};

}  // namespace pelikar::samples
