#pragma once
// A late-bound client that types into a host form's text boxes through the control,
// as the form's key handlers do: each key goes to FarsiDown, then to the box itself,
// then its character to FarsiPress, and the box inserts what is left of it. Member
// names are looked up once, as a compiled host binds them.
#include <windows.h>
#include <oleauto.h>

#include <stdexcept>
#include <string>
#include <string_view>

#include "text_box.h"

namespace pelikar::samples {

// A failed call of the control.
class CallFailed : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TypingClient {
 public:
  // Creates the registered control by its ProgID; throws CallFailed.
  TypingClient();
  TypingClient(const TypingClient&) = delete;
  TypingClient& operator=(const TypingClient&) = delete;
  ~TypingClient();

  // Sets a property of the control to a 16-bit integer (True is -1).
  void Put(const wchar_t* property, short value);

  // One key: virtual-key code, shift mask (1 Shift) and the character it types (0 for
  // none).
  void Press(TextBox& box, short key, short shift, short character);
  // Types each character of the text with its key on a US keyboard.
  void Type(TextBox& box, std::string_view typed);

 private:
  DISPID IdOf(const wchar_t* member);
  void Invoke(DISPID id, WORD flags, DISPPARAMS& params, const wchar_t* member);

  IDispatch* control_ = nullptr;
  DISPID farsiDown_ = DISPID_UNKNOWN;
  DISPID farsiPress_ = DISPID_UNKNOWN;
};

}  // namespace pelikar::samples
