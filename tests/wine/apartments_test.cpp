// Two forms on two user-interface threads, each with its own control in its own
// apartment: one types Persian into an Iran System field while the other converts
// text to the Nivo code page in a loop. No field may ever receive a code of the other
// page: each routine that shapes is handed its own code page's tables.
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "control_test.h"
#include "test_object.h"

namespace pelikar::com_tests {
namespace {

constexpr int kWords = 3000;
constexpr short kWordKeys[] = {'S', 'G', 'H', 'L'};  // "salaam"

// Types the word into an emptied text field and gives the field's text.
std::wstring TypeWord(IDispatch* control, TestObject* field) {
  field->Set(L"Text", *Variant::Text(L"").get());
  field->SetLong(L"SelStart", 0);
  const Variant object = Object(field);
  for (short key : kWordKeys) {
    const Variant code = Variant::Short(key), shift = Variant::Short(0);
    Call(control, L"FarsiDown", {&object, &code, &shift});
    short character = static_cast<short>(key + 32);
    const Variant reference = Variant::ShortReference(&character);
    Call(control, L"FarsiPress", {&object, &reference});
  }
  VARIANT text = field->Value(L"Text");
  std::wstring typed = V_VT(&text) == VT_BSTR ? V_BSTR(&text) : L"";
  VariantClear(&text);
  return typed;
}

TEST(Apartments, ATypistNeverGetsTheCodesOfAnotherThreadsConversions) {
  OcxModule module;
  ASSERT_TRUE(module.loaded());
  std::atomic<bool> typing{true};
  std::atomic<long> conversions{0};
  std::thread converter([&] {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IDispatch* control = module.New<IDispatch>(kPelikarClass, IID_IDispatch);
    const Variant typed = Variant::Text(L"~sghl fv alh~");
    while (control != nullptr && typing) {
      Call(control, L"En_Ir_To_nivo", {&typed});
      ++conversions;
    }
    if (control != nullptr) control->Release();
    CoUninitialize();
  });

  IDispatch* control = module.New<IDispatch>(kPelikarClass, IID_IDispatch);
  ASSERT_NE(control, nullptr);
  const Variant ir = Variant::Short(1), on = Variant::Short(-1);
  ASSERT_EQ(Call(control, L"CodePage", {&ir}, DISPATCH_PROPERTYPUT).result, S_OK);
  ASSERT_EQ(Call(control, L"Farsi", {&on}, DISPATCH_PROPERTYPUT).result, S_OK);
  TestObject* field = new TestObject();
  field->Set(L"Tag", *Variant::Text(L"text").get());
  field->Set(L"Name", *Variant::Text(L"Text1").get());
  field->Set(L"SelText", *Variant::Text(L"").get());
  for (const wchar_t* name : {L"Locked", L"MaxLength"}) field->SetLong(name, 0);
  const Variant word = Variant::Text(L"~sghl~");
  const std::wstring expected = Call(control, L"En_To_Ir", {&word}).value.text();
  ASSERT_EQ(expected.size(), 4u);

  int wrong = 0;
  for (int i = 0; i < kWords; ++i) wrong += TypeWord(control, field) != expected;
  typing = false;
  converter.join();
  field->Release();
  control->Release();
  EXPECT_EQ(wrong, 0) << "words typed with the other page's codes, of " << kWords << " while "
                      << conversions << " conversions ran";
  EXPECT_GT(conversions, 0);
}

}  // namespace
}  // namespace pelikar::com_tests
