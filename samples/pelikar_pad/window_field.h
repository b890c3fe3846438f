#pragma once
// A real text box as the control reaches it: the field's members by name over its
// window, as a form designer's text box offers them: Text by WM_GETTEXT and
// WM_SETTEXT, SelStart, SelLength and SelText by EM_GETSEL, EM_SETSEL and
// EM_REPLACESEL, Locked by ES_READONLY, MaxLength by EM_GETLIMITTEXT and MultiLine
// by ES_MULTILINE. For a combo box the window is its edit box.
#include "../field_dispatch.h"

namespace pelikar::samples {

class WindowField final : public FieldDispatch {
 public:
  WindowField(HWND edit, std::wstring name, std::wstring tag)
      : FieldDispatch(std::move(name), std::move(tag)), edit_(edit) {}

  HWND window() const { return edit_; }
  std::wstring Text() const override;

 private:
  ~WindowField() override = default;
  void SetText(const std::wstring& text) override;
  long SelStart() const override;
  long SelLength() const override;
  void Select(long start, long length) override;
  void ReplaceSelection(const std::wstring& text) override;
  bool Locked() const override;
  long MaxLength() const override;
  bool MultiLine() const override;

  HWND edit_;
};

}  // namespace pelikar::samples
