// The IDispatch adapter for host objects, directly: values in their types both ways,
// arguments in order, and the run-time errors of missing members, missing objects
// and objects that raise. (Its IDispatchEx path is exercised by utilities.vbs, whose
// class instances Wine's VBScript names only that way.)
#include <gtest/gtest.h>

#include <string>

#include "common/run_time_error.h"
#include "control/com/dispatch_host_object.h"
#include "test_object.h"

namespace pelikar::com_tests {
namespace {

using host::HostValue;
using com::DispatchHostObject;

template <class T>
T As(const HostValue& value) {
  const T* held = std::get_if<T>(&value.storage());
  EXPECT_NE(held, nullptr) << "held index " << value.storage().index();
  return held != nullptr ? *held : T{};
}

int ErrorNumberOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const RunTimeError& error) {
    return error.number();
  }
  return 0;
}

class HostObjectAdapter : public testing::Test {
 protected:
  ~HostObjectAdapter() override { object_->Release(); }
  TestObject* object_ = new TestObject();
};

TEST_F(HostObjectAdapter, PropertiesComeInTheirTypes) {
  VARIANT value;
  V_VT(&value) = VT_BSTR;
  V_BSTR(&value) = SysAllocString(L"grid");
  object_->Set(L"Tag", value);
  VariantClear(&value);
  V_VT(&value) = VT_BOOL;
  V_BOOL(&value) = VARIANT_TRUE;
  object_->Set(L"Locked", value);
  V_VT(&value) = VT_I2;
  V_I2(&value) = -7;
  object_->Set(L"SelStart", value);
  V_VT(&value) = VT_UI4;
  V_UI4(&value) = 0x80000000u;
  object_->Set(L"Big", value);
  object_->SetLong(L"hwnd", 0x000A01B4);
  TestObject* inner = new TestObject();
  inner->SetLong(L"Height", 42);
  V_VT(&value) = VT_DISPATCH;
  V_DISPATCH(&value) = inner;
  object_->Set(L"Font", value);
  inner->Release();

  DispatchHostObject host(object_);
  EXPECT_EQ(As<CodeString>(host.Get("Tag")), "grid");
  EXPECT_EQ(As<bool>(host.Get("Locked")), true);
  EXPECT_EQ(As<std::int16_t>(host.Get("SelStart")), -7);
  EXPECT_EQ(As<std::int32_t>(host.Get("HWND")), 0x000A01B4) << "names ignore case";
  EXPECT_EQ(As<double>(host.Get("Big")), 2147483648.0) << "beyond 32 bits, as a number";
  const HostValue font = host.Get("Font");
  const auto object = As<HostValue::Object>(font);
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(object->Get("Height").ToLong(), 42);
}

TEST_F(HostObjectAdapter, PutWritesThePropertyByName) {
  object_->SetLong(L"Text", 0);
  DispatchHostObject host(object_);
  host.Put("Text", CodeString("\x90\x91"));
  VARIANT text = object_->Value(L"Text");
  ASSERT_EQ(V_VT(&text), VT_BSTR);
  EXPECT_EQ(SysStringLen(V_BSTR(&text)), 2u);
  VariantClear(&text);
  host.Put("Text", std::int32_t{12});
  EXPECT_EQ(As<std::int32_t>(host.Get("Text")), 12);
}

TEST_F(HostObjectAdapter, CallPassesArgumentsInTheirOrder) {
  DispatchHostObject host(object_);
  const HostValue arguments[] = {CodeString("ab"), std::int32_t{12}};
  EXPECT_EQ(As<CodeString>(host.Call("Join", arguments)), "ab12");
}

TEST_F(HostObjectAdapter, FailuresAreTheHostsRunTimeErrors) {
  object_->RaiseOnRead(L"MaxLength", 380, L"Invalid property value");
  DispatchHostObject host(object_);
  DispatchHostObject nothing(nullptr);
  EXPECT_EQ(ErrorNumberOf([&] { host.Get("NoSuchMember"); }), kMemberNotSupported);
  EXPECT_EQ(ErrorNumberOf([&] { host.Put("NoSuchMember", true); }), kMemberNotSupported);
  EXPECT_EQ(ErrorNumberOf([&] { nothing.Get("Text"); }), kObjectVariableNotSet);
  EXPECT_EQ(ErrorNumberOf([&] { host.Get("MaxLength"); }), 380);
  try {
    host.Get("MaxLength");
  } catch (const RunTimeError& error) {
    EXPECT_NE(std::string(error.what()).find("Invalid property value"), std::string::npos);
  }
  EXPECT_EQ(ErrorNumberOf([&] { host.Call("Join", {}); }), kAutomationError)
      << "a wrong argument count";
}

}  // namespace
}  // namespace pelikar::com_tests
