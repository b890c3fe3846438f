// How calls reach the control through its vtable and how its failures come back,
// where script clients (client.vbs, client.js) cannot look: results and error info,
// variant properties, strings with embedded NULs, the class's information.
#include <windows.h>
#include <ocidl.h>

#include <string>

#include <gtest/gtest.h>

#include "control_test.h"
#include "pelikar_h.h"

namespace pelikar::com_tests {
namespace {

using Dispatch = ControlTest;

// Through the vtable: the members that show windows show none without a place for
// their answer; a variant property keeps the type it is given; a value that is no
// number raises Type mismatch, with the old value kept and the thread's error info
// set; strings keep their NULs, and an empty result is an empty string. The class
// tells its event interface.
TEST_F(Dispatch, TheVtableAndTheClassInfo) {
  _Pelikar* control = nullptr;
  ASSERT_EQ(control_->QueryInterface(kPelikarInterface, reinterpret_cast<void**>(&control)), S_OK);
  control->Release();  // control_ keeps the object alive
  BSTR text = SysAllocString(L"abc");
  for (HRESULT result :
       {control->Reverse(text, nullptr), control->FarsiPress(nullptr, nullptr, nullptr),
        control->KeyBoard(text, text, nullptr), control->KeyBoard2(text, text, 0, 0, nullptr),
        control->Message(text, 0, text, 0, nullptr), control->ToolTip(text, nullptr, nullptr)}) {
    EXPECT_EQ(result, E_POINTER);
  }
  Variant stored;
  EXPECT_EQ(control->put_CodePage(*Variant::Text(L"1").get()), S_OK);
  EXPECT_EQ(control->put_CodePage(*Variant::Text(L"one").get()), RunTimeError(13));
  ASSERT_EQ(control->get_CodePage(stored.get()), S_OK);
  EXPECT_EQ(stored.text(), L"1");
  BSTR result = reinterpret_cast<BSTR>(1);
  EXPECT_EQ(control->AscStrToStr(text, &result), RunTimeError(13));
  EXPECT_EQ(result, nullptr);
  SysFreeString(text);
  IErrorInfo* info = nullptr;
  ASSERT_EQ(GetErrorInfo(0, &info), S_OK);
  BSTR description = nullptr;
  info->GetDescription(&description);
  EXPECT_EQ(std::wstring(description).rfind(L"Type mismatch", 0), 0u);
  SysFreeString(description);
  info->Release();

  text = SysAllocStringLen(L"a\0b", 3);
  ASSERT_EQ(control->Reverse(text, &result), S_OK);
  EXPECT_EQ(std::wstring(result, SysStringLen(result)), std::wstring(L"b\0a", 3));
  SysFreeString(result);
  SysFreeString(text);
  ASSERT_EQ(control->Reverse(nullptr, &result), S_OK);
  ASSERT_NE(result, nullptr) << "an empty result is an empty string, not NULL";
  SysFreeString(result);

  IProvideClassInfo2* provider = nullptr;
  ASSERT_EQ(control_->QueryInterface(IID_IProvideClassInfo2, reinterpret_cast<void**>(&provider)), S_OK);
  GUID events{};
  EXPECT_EQ(provider->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &events), S_OK);
  EXPECT_TRUE(IsEqualGUID(events, kPelikarEvents));
  provider->Release();
}

}  // namespace
}  // namespace pelikar::com_tests
