#include "test_site.h"

namespace pelikar::container_tests {

void ContainerTest::SetUp() {
  ASSERT_TRUE(module_.loaded());
  window_ = CreateWindowExW(0, L"STATIC", L"Form1", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                            nullptr, nullptr, nullptr);
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

HRESULT ContainerTest::Put(const wchar_t* property, const Variant& value, IUnknown* control) {
  const CallResult call = Call(As<IDispatch>(IID_IDispatch, control), property, {&value}, DISPATCH_PROPERTYPUT);
  return call.result == DISP_E_EXCEPTION ? call.exception.scode : call.result;
}

std::string ContainerTest::Get(const wchar_t* property, IUnknown* control) {
  CallResult call = Call(As<IDispatch>(IID_IDispatch, control), property, {}, DISPATCH_PROPERTYGET);
  return call.result == S_OK ? Typed(*call.value.get()) : "failed";
}

std::string Typed(const VARIANT& value) {
  const char* kind = V_VT(&value) == VT_BOOL ? "Boolean " : V_VT(&value) == VT_I2 ? "Integer "
                     : V_VT(&value) == VT_I4 ? "Long " : V_VT(&value) == VT_BSTR ? "String " : "Other ";
  return V_VT(&value) == VT_EMPTY ? "Empty" : kind + Narrow(com_tests::TextOf(value));
}

}  // namespace pelikar::container_tests
