#pragma once
// A host form's text box for the sample clients: an IDispatch with the members the
// control reaches by name (Text, SelStart, SelLength, SelText, Tag, Name, Locked,
// MaxLength, MultiLine), and the box's own reaction to a key after the form's key
// handlers have called the control: Delete and the caret keys at key-down, and at
// key-press the character the control left (Backspace included).
#include <windows.h>
#include <oleauto.h>

#include <string>

namespace pelikar::samples {

class TextBox final : public IDispatch {
 public:
  TextBox(std::wstring name, std::wstring tag);

  const std::wstring& text() const { return text_; }
  long selStart() const { return selStart_; }
  // Replaces the content and puts the caret at position.
  void SetText(std::wstring text, long position);

  void OwnKeyDown(short key);
  void OwnKeyPress(short character);

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID interfaceId, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IDispatch
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  STDMETHODIMP GetIDsOfNames(REFIID interfaceId, LPOLESTR* names, UINT count, LCID locale,
                             DISPID* ids) override;
  STDMETHODIMP Invoke(DISPID id, REFIID interfaceId, LCID locale, WORD flags, DISPPARAMS* params,
                      VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

 private:
  ~TextBox() = default;
  HRESULT Read(DISPID id, VARIANT* result) const;
  HRESULT Write(DISPID id, VARIANT& value);
  // The selection replaced by text; the caret after it.
  void ReplaceSelection(const std::wstring& text);

  LONG references_ = 1;
  std::wstring text_;
  long selStart_ = 0;
  long selLength_ = 0;
  std::wstring name_;
  std::wstring tag_;
  bool locked_ = false;
  long maxLength_ = 0;
  bool multiLine_ = false;
};

}  // namespace pelikar::samples
