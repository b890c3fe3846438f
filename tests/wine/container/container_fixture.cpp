#include "container_fixture.h"

namespace pelikar::container_tests {

void ContainerTest::SetUp() {
  ASSERT_TRUE(module_.loaded());
  window_ = CreateWindowExW(0, L"STATIC", L"Form1", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                            nullptr, nullptr, nullptr);
  ASSERT_NE(window_, nullptr);
  site_ = new TestSite(log_, window_);
  control_ = NewControl();
  ASSERT_NE(control_, nullptr);
  site_->Attach(control_);
}

void ContainerTest::TearDown() {
  if (control_ != nullptr) {
    IOleObject* object = As<IOleObject>(IID_IOleObject);
    object->Close(OLECLOSE_NOSAVE);
    object->SetClientSite(nullptr);
    EXPECT_EQ(control_->Release(), 0u) << "the container's references balance";
  }
  EXPECT_EQ(site_->Release(), 0u) << "the control gave back every reference to its site";
  DestroyWindow(window_);
  EXPECT_EQ(module_.CanUnloadNow(), S_OK) << "something of the module is still alive";
}

IUnknown* ContainerTest::NewControl() {
  IClassFactory* factory = nullptr;
  EXPECT_EQ(module_.GetClassObject(com_tests::kPelikarClass, IID_IClassFactory,
                                   reinterpret_cast<void**>(&factory)),
            S_OK);
  if (factory == nullptr) return nullptr;
  IUnknown* control = nullptr;
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&control)),
            S_OK);
  factory->Release();
  return control;
}

void ContainerTest::Site(bool userMode, IUnknown* control) {
  site_->SetUserMode(userMode);
  ASSERT_EQ(As<IOleObject>(IID_IOleObject, control)->SetClientSite(site_), S_OK);
}

HRESULT ContainerTest::Put(const wchar_t* property, const Variant& value, IUnknown* control) {
  const CallResult call =
      Call(As<IDispatch>(IID_IDispatch, control), property, {&value}, DISPATCH_PROPERTYPUT);
  return call.result == DISP_E_EXCEPTION ? call.exception.scode : call.result;
}

std::string ContainerTest::Get(const wchar_t* property, IUnknown* control) {
  CallResult call = Call(As<IDispatch>(IID_IDispatch, control), property, {},
                         DISPATCH_PROPERTYGET);
  return call.result == S_OK ? Typed(*call.value.get()) : "failed";
}

std::string Typed(const VARIANT& value) {
  VARIANT text;
  VariantInit(&text);
  const char* kind = "Other";
  switch (V_VT(&value)) {
    case VT_EMPTY: return "Empty";
    case VT_BOOL: return V_BOOL(&value) != VARIANT_FALSE ? "Boolean True" : "Boolean False";
    case VT_I2: kind = "Integer"; break;
    case VT_I4: kind = "Long"; break;
    case VT_R8: kind = "Double"; break;
    case VT_BSTR: kind = "String"; break;
    default: break;
  }
  if (FAILED(VariantChangeType(&text, const_cast<VARIANT*>(&value), 0, VT_BSTR))) return kind;
  const std::string typed = std::string(kind) + " " + Narrow(V_BSTR(&text));
  VariantClear(&text);
  return typed;
}

}  // namespace pelikar::container_tests
