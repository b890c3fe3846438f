#pragma once
// A host form's field as the control reaches it: an IDispatch with the members a
// form's text box has (Text, SelStart, SelLength, SelText, Tag, Name, Locked,
// MaxLength, MultiLine), looked up by name in any case. What the members read and
// write belongs to the subclass: a box emulated in memory (TextBox) or a real window
// (WindowField).
#include <windows.h>
#include <oleauto.h>

#include <string>

namespace pelikar::samples {

class FieldDispatch : public IDispatch {
 public:
  FieldDispatch(std::wstring name, std::wstring tag);
  FieldDispatch(const FieldDispatch&) = delete;
  FieldDispatch& operator=(const FieldDispatch&) = delete;

  const std::wstring& name() const { return name_; }
  const std::wstring& tag() const { return tag_; }
  virtual std::wstring Text() const = 0;

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

 protected:
  virtual ~FieldDispatch() = default;

  // A new text puts the caret at its start, as a form's text box does.
  virtual void SetText(const std::wstring& text) = 0;
  virtual long SelStart() const = 0;
  virtual long SelLength() const = 0;
  // Clamped to the text, as the box clamps it.
  virtual void Select(long start, long length) = 0;
  // The selection replaced by text; the caret after it.
  virtual void ReplaceSelection(const std::wstring& text) = 0;
  virtual bool Locked() const { return false; }
  virtual long MaxLength() const { return 0; }
  virtual bool MultiLine() const { return false; }

 private:
  HRESULT Read(DISPID id, VARIANT* result) const;
  HRESULT Write(DISPID id, VARIANT& value);

  LONG references_ = 1;
  std::wstring name_;
  std::wstring tag_;
};

}  // namespace pelikar::samples
