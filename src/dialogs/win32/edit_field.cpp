#include "dialogs/win32/edit_field.h"

#include <algorithm>
#include <string>

#include "common/run_time_error.h"
#include "input/host_field.h"

namespace pelikar::dialogs::win32 {
namespace {

using host::HostValue;

[[noreturn]] void NoSuchMember(std::string_view member) {
  throw RunTimeError(kMemberNotSupported, std::string(member));
}

// A caret within the text, as a host's text box takes SelStart.
DWORD Clamped(std::int32_t position, std::size_t length) {
  const auto end = static_cast<std::int64_t>(length);
  return static_cast<DWORD>(std::clamp<std::int64_t>(position, 0, end));
}

}  // namespace

CodeString EditField::Text() const {
  const int length = GetWindowTextLengthA(edit_);
  CodeString text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(edit_, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return text;
}

void EditField::Selection(DWORD& start, DWORD& end) const {
  SendMessageA(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
}

HostValue EditField::Get(std::string_view member) {
  DWORD start = 0, end = 0;
  Selection(start, end);
  if (member == "Text") return Text();
  if (member == "SelStart") return static_cast<std::int32_t>(start);
  if (member == "SelText") {
    const CodeString text = Text();
    const std::size_t from = std::min<std::size_t>(start, text.size());
    const std::size_t to = std::max(from, std::min<std::size_t>(end, text.size()));
    return text.substr(from, to - from);
  }
  NoSuchMember(member);
}

void EditField::Put(std::string_view member, const HostValue& value) {
  if (member == "Text") {
    SetWindowTextA(edit_, host::TextOf(value).c_str());
  } else if (member == "SelStart") {
    const DWORD start = Clamped(value.ToLong(), Text().size());
    SendMessageA(edit_, EM_SETSEL, start, start);
  } else if (member == "SelText") {
    SendMessageA(edit_, EM_REPLACESEL, FALSE,
                 reinterpret_cast<LPARAM>(host::TextOf(value).c_str()));
  } else {
    NoSuchMember(member);
  }
}

HostValue EditField::Call(std::string_view member, std::span<const HostValue>) {
  NoSuchMember(member);
}

}  // namespace pelikar::dialogs::win32
