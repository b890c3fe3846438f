#include "window_field.h"

namespace pelikar::samples {
namespace {

struct Selection {
  DWORD start = 0;
  DWORD end = 0;
};

Selection SelectionOf(HWND edit) {
  Selection selection;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&selection.start),
               reinterpret_cast<LPARAM>(&selection.end));
  return selection;
}

}  // namespace

std::wstring WindowField::Text() const {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit_)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(edit_, text.data(), static_cast<int>(text.size()))));
  return text;
}

void WindowField::SetText(const std::wstring& text) { SetWindowTextW(edit_, text.c_str()); }

long WindowField::SelStart() const { return static_cast<long>(SelectionOf(edit_).start); }

long WindowField::SelLength() const {
  const Selection selection = SelectionOf(edit_);
  return static_cast<long>(selection.end - selection.start);
}

void WindowField::Select(long start, long length) {
  SendMessageW(edit_, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(start + length));
}

void WindowField::ReplaceSelection(const std::wstring& text) {
  SendMessageW(edit_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

bool WindowField::Locked() const { return (GetWindowLongW(edit_, GWL_STYLE) & ES_READONLY) != 0; }

long WindowField::MaxLength() const {
  return static_cast<long>(SendMessageW(edit_, EM_GETLIMITTEXT, 0, 0));
}

bool WindowField::MultiLine() const {
  return (GetWindowLongW(edit_, GWL_STYLE) & ES_MULTILINE) != 0;
}

}  // namespace pelikar::samples
