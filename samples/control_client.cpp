#include "control_client.h"

#include <algorithm>
#include <cstdio>

namespace pelikar::samples {
namespace {

struct KeyStroke {
  short key;
  short shift;
};

// The key of a character on a US keyboard.
KeyStroke KeyOf(char typed) {
  switch (typed) {
    case ';': return {186, 0};
    case '=': return {187, 0};
    case ',': return {188, 0};
    case '-': return {189, 0};
    case '.': return {190, 0};
    case '/': return {191, 0};
    case '`': return {192, 0};
    case '[': return {219, 0};
    case '\\': return {220, 0};
    case ']': return {221, 0};
    case '\'': return {222, 0};
    default: break;
  }
  if (typed >= 'a' && typed <= 'z') return {static_cast<short>(typed - 32), 0};
  if (typed >= 'A' && typed <= 'Z') return {typed, 1};
  return {typed, 0};  // digits and space
}

std::string Described(const wchar_t* member, HRESULT result, const EXCEPINFO& exception) {
  char text[160];
  std::snprintf(text, sizeof text, "%ls failed with 0x%08lX", member,
                static_cast<unsigned long>(exception.scode != 0 ? exception.scode : result));
  return text;
}

}  // namespace

ControlClient::ControlClient() {
  CLSID classId;
  if (FAILED(CLSIDFromProgID(L"PelikarLib.Pelikar", &classId))) {
    throw CallFailed("the control is not registered (regsvr32 Pelikar.ocx)");
  }
  const HRESULT created = CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                           reinterpret_cast<void**>(&control_));
  if (FAILED(created)) throw CallFailed("the control cannot be created");
  farsiDown_ = IdOf(L"FarsiDown");
  farsiPress_ = IdOf(L"FarsiPress");
}

ControlClient::ControlClient(IDispatch* control) : control_(control) {
  control_->AddRef();
  farsiDown_ = IdOf(L"FarsiDown");
  farsiPress_ = IdOf(L"FarsiPress");
}

ControlClient::~ControlClient() {
  if (control_ != nullptr) control_->Release();
}

DISPID ControlClient::IdOf(const wchar_t* member) {
  LPOLESTR names[] = {const_cast<LPOLESTR>(member)};
  DISPID id = DISPID_UNKNOWN;
  if (FAILED(control_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) {
    throw CallFailed("the control has no member " + std::string(member, member + wcslen(member)));
  }
  return id;
}

void ControlClient::Invoke(DISPID id, WORD flags, DISPPARAMS& params, const wchar_t* member,
                          VARIANT* kept) {
  EXCEPINFO exception{};
  VARIANT result;
  VariantInit(&result);
  const HRESULT called = control_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                          flags == DISPATCH_PROPERTYPUT ? nullptr : &result,
                                          &exception, nullptr);
  if (kept != nullptr && SUCCEEDED(called)) {
    *kept = result;
  } else {
    VariantClear(&result);
  }
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
  if (FAILED(called)) throw CallFailed(Described(member, called, exception));
}

void ControlClient::Put(const wchar_t* property, short value) {
  VARIANT argument;
  V_VT(&argument) = VT_I2;
  V_I2(&argument) = value;
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{&argument, &named, 1, 1};
  Invoke(IdOf(property), DISPATCH_PROPERTYPUT, params, property);
}

VARIANT ControlClient::Call(const wchar_t* member, std::initializer_list<VARIANT> arguments) {
  std::vector<VARIANT> reversed(arguments.begin(), arguments.end());  // last first
  std::reverse(reversed.begin(), reversed.end());
  DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  VARIANT result;
  VariantInit(&result);
  Invoke(IdOf(member), DISPATCH_METHOD | DISPATCH_PROPERTYGET, params, member, &result);
  return result;
}

void ControlClient::KeyDown(IDispatch& field, short key, short shift) {
  // Arguments go last to first.
  VARIANT down[3];
  V_VT(&down[2]) = VT_DISPATCH;
  V_DISPATCH(&down[2]) = &field;
  V_VT(&down[1]) = VT_I2;
  V_I2(&down[1]) = key;
  V_VT(&down[0]) = VT_I2;
  V_I2(&down[0]) = shift;
  DISPPARAMS params{down, nullptr, 3, 0};
  Invoke(farsiDown_, DISPATCH_METHOD, params, L"FarsiDown");
}

short ControlClient::KeyPress(IDispatch& field, short character) {
  short left = character;
  VARIANT press[2];
  V_VT(&press[1]) = VT_DISPATCH;
  V_DISPATCH(&press[1]) = &field;
  V_VT(&press[0]) = VT_BYREF | VT_I2;
  V_I2REF(&press[0]) = &left;
  DISPPARAMS params{press, nullptr, 2, 0};
  Invoke(farsiPress_, DISPATCH_METHOD, params, L"FarsiPress");
  return left;
}

void ControlClient::Press(TextBox& box, short key, short shift, short character) {
  KeyDown(box, key, shift);
  box.OwnKeyDown(key);
  if (character != 0) box.OwnKeyPress(KeyPress(box, character));
}

void ControlClient::Type(TextBox& box, std::string_view typed) {
  for (char c : typed) {
    const KeyStroke stroke = KeyOf(c);
    Press(box, stroke.key, stroke.shift, static_cast<short>(static_cast<unsigned char>(c)));
  }
}

}  // namespace pelikar::samples
