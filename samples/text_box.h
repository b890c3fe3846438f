#pragma once
// A host form's text box emulated in memory, for the sample clients: the members the
// control reaches by name, and the box's own reaction to a key after the form's key
// handlers have called the control: Delete and the caret keys at key-down, and at
// key-press the character the control left (Backspace included).
#include "field_dispatch.h"

namespace pelikar::samples {

class TextBox final : public FieldDispatch {
 public:
  using FieldDispatch::FieldDispatch;

  std::wstring Text() const override { return text_; }
  long caret() const { return selStart_; }
  // Replaces the content and puts the caret at position.
  void Fill(std::wstring text, long position);

  void OwnKeyDown(short key);
  void OwnKeyPress(short character);

 private:
  ~TextBox() override = default;
  void SetText(const std::wstring& text) override { Fill(text, 0); }
  long SelStart() const override { return selStart_; }
  long SelLength() const override { return selLength_; }
  void Select(long start, long length) override;
  void ReplaceSelection(const std::wstring& text) override;

  std::wstring text_;
  long selStart_ = 0;
  long selLength_ = 0;
};

}  // namespace pelikar::samples
