// The IDispatch adapter for host objects, directly: values in their types both ways,
// arguments in order, and the run-time errors of missing members, missing objects
// and objects that raise. (Its IDispatchEx path is exercised by client.vbs, whose
// class instances Wine's VBScript names only that way.)
#include <gtest/gtest.h>

#include <string>

#include "common/run_time_error.h"
#include "control/com/dispatch_host_object.h"
#include "control_test.h"
#include "test_object.h"

namespace pelikar::com_tests {
namespace {

using com::DispatchHostObject;

int ErrorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const pelikar::RunTimeError& error) {
    return error.number();
  }
  return 0;
}

TEST(HostObjectAdapter, ValuesArgumentsAndFailures) {
  TestObject* object = new TestObject();
  object->Set(L"Tag", *Variant::Text(L"grid").get());
  object->Set(L"Locked", *Variant::Number(VT_BOOL, 1).get());
  object->Set(L"SelStart", *Variant::Short(-7).get());
  object->SetLong(L"hwnd", 0x000A01B4);
  object->Set(L"Big", *Variant::Number(VT_UI4, 2147483648.0).get());
  TestObject* font = new TestObject();
  font->SetLong(L"Height", 42);
  object->Set(L"Font", *Object(font).get());
  font->Release();
  object->RaiseOnRead(L"MaxLength", 380, L"Invalid property value");
  object->AddMethod(L"Join", [](const std::vector<VARIANT*>& given, VARIANT* result) {
    if (given.size() != 2) return DISP_E_BADPARAMCOUNT;
    Variant number;
    VariantChangeType(number.get(), given[1], 0, VT_BSTR);
    V_VT(result) = VT_BSTR;
    return VarBstrCat(V_BSTR(given[0]), V_BSTR(number.get()), &V_BSTR(result));
  });

  DispatchHostObject host(object);
  EXPECT_EQ(std::get<CodeString>(host.Get("Tag").storage()), "grid");
  EXPECT_EQ(std::get<bool>(host.Get("Locked").storage()), true);
  EXPECT_EQ(std::get<std::int16_t>(host.Get("SelStart").storage()), -7);
  EXPECT_EQ(std::get<std::int32_t>(host.Get("HWND").storage()), 0x000A01B4) << "names ignore case";
  EXPECT_EQ(std::get<double>(host.Get("Big").storage()), 2147483648.0) << "beyond 32 bits";
  EXPECT_EQ(std::get<host::HostValue::Object>(host.Get("Font").storage())->Get("Height").ToLong(), 42);
  host.Put("Tag", CodeString("\x90\x91"));
  EXPECT_EQ(std::get<CodeString>(host.Get("Tag").storage()), "\x90\x91");
  const host::HostValue arguments[] = {CodeString("ab"), std::int32_t{12}};
  EXPECT_EQ(std::get<CodeString>(host.Call("Join", arguments).storage()), "ab12");

  DispatchHostObject nothing(nullptr);
  EXPECT_EQ(ErrorOf([&] { host.Get("NoSuchMember"); }), kMemberNotSupported);
  EXPECT_EQ(ErrorOf([&] { host.Put("NoSuchMember", true); }), kMemberNotSupported);
  EXPECT_EQ(ErrorOf([&] { nothing.Get("Text"); }), kObjectVariableNotSet);
  EXPECT_EQ(ErrorOf([&] { host.Call("Join", {}); }), kAutomationError) << "argument count";
  try {
    host.Get("MaxLength");
    ADD_FAILURE() << "no error raised";
  } catch (const pelikar::RunTimeError& error) {
    EXPECT_EQ(error.number(), 380);
    EXPECT_NE(std::string(error.what()).find("Invalid property value"), std::string::npos);
  }
  object->Release();
}

}  // namespace
}  // namespace pelikar::com_tests
