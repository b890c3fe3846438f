// How calls reach the control and how its failures come back, where script clients
// (client.vbs, client.js) cannot look: the declared type a script reference takes on,
// typed references of compiled clients, references that do not fit, results and
// error info on the vtable, variant properties, strings with embedded NULs.
#include <windows.h>
#include <oleauto.h>
#include <ocidl.h>

#include <string>

#include <gtest/gtest.h>

#include "dispatch_client.h"
#include "ocx_module.h"
#include "pelikar_h.h"
#include "test_object.h"

namespace pelikar::com_tests {
namespace {

constexpr HRESULT kTypeMismatch = static_cast<HRESULT>(0x800A000D);

class Dispatch : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(module_.loaded());
    IClassFactory* factory = nullptr;
    ASSERT_EQ(module_.GetClassObject(kPelikarClass, IID_IClassFactory,
                                     reinterpret_cast<void**>(&factory)),
              S_OK);
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&control_)),
              S_OK);
    factory->Release();
  }
  void TearDown() override {
    if (control_ != nullptr) {
      EXPECT_EQ(control_->Release(), 0u);
    }
  }

  _Pelikar* Vtable() {
    _Pelikar* vtable = nullptr;
    EXPECT_EQ(control_->QueryInterface(kPelikarInterface, reinterpret_cast<void**>(&vtable)), S_OK);
    if (vtable != nullptr) vtable->Release();  // control_ keeps the object alive
    return vtable;
  }

  // The thread's error info, taken.
  static std::wstring ErrorDescription(std::wstring* source = nullptr) {
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) != S_OK || info == nullptr) return L"<no error info>";
    BSTR text = nullptr;
    info->GetDescription(&text);
    std::wstring description(text != nullptr ? text : L"");
    SysFreeString(text);
    if (source != nullptr) {
      info->GetSource(&text);
      *source = text != nullptr ? text : L"";
      SysFreeString(text);
    }
    info->Release();
    return description;
  }

  OcxModule module_;
  IDispatch* control_ = nullptr;
};

// An integer field: FarsiPress lets digits through and writes 0 into KeyAscii for
// anything else, so what comes back shows that the member wrote the caller's variable.
class NumberField {
 public:
  NumberField() {
    const Variant tag = Variant::Text(L"integer");
    field_->Set(L"Tag", *tag.get());
  }
  NumberField(const NumberField&) = delete;
  NumberField& operator=(const NumberField&) = delete;
  ~NumberField() { field_->Release(); }
  Variant Object() const {
    Variant object;
    V_VT(object.get()) = VT_DISPATCH;
    V_DISPATCH(object.get()) = field_;
    field_->AddRef();
    return object;
  }

 private:
  TestObject* field_ = new TestObject();
};

TEST_F(Dispatch, ScriptReferenceReachesATypedReferenceParameter) {
  const NumberField field;
  const Variant object = field.Object();
  Variant keyAscii = Variant::Long(65);  // a script variable holding a number
  const Variant reference = Variant::Reference(keyAscii.get());
  CallResult call = Call(control_, L"FarsiPress", {&object, &reference});
  ASSERT_EQ(call.result, S_OK);
  EXPECT_EQ(V_BOOL(call.value.get()), VARIANT_FALSE) << "an integer field";
  // The variable went in as the declared Integer and came back as one, written.
  EXPECT_EQ(keyAscii.type(), VT_I2);
  EXPECT_EQ(V_I2(keyAscii.get()), 0);
}

TEST_F(Dispatch, CompiledClientsTypedReferencePassesThrough) {
  const NumberField field;
  const Variant object = field.Object();
  for (const auto& [typed, expected] : {std::pair<short, short>{13, 0}, {'7', '7'}}) {
    short keyAscii = typed;
    const Variant reference = Variant::ShortReference(&keyAscii);
    CallResult call = Call(control_, L"FarsiPress", {&object, &reference});
    ASSERT_EQ(call.result, S_OK);
    EXPECT_EQ(keyAscii, expected) << typed;
  }
}

TEST_F(Dispatch, ReferenceThatDoesNotFitIsRefused) {
  const struct {
    const char* what;
    Variant variable;
    HRESULT expected;
  } cases[] = {
      {"a word", Variant::Text(L"abc"), DISP_E_TYPEMISMATCH},
      {"too large for an Integer", Variant::Long(100000), DISP_E_OVERFLOW},
  };
  for (const auto& testCase : cases) {
    const Variant nothing = Variant::Nothing();
    const Variant reference = Variant::Reference(const_cast<VARIANT*>(testCase.variable.get()));
    CallResult call = Call(control_, L"FarsiPress", {&nothing, &reference});
    EXPECT_EQ(call.result, testCase.expected) << testCase.what;
    EXPECT_EQ(call.argumentError, 0u) << "KeyAscii is the last argument, rgvarg[0]";
  }
  // The refused variable is left as it was.
  EXPECT_EQ(cases[0].variable.text(), L"abc");
}

TEST_F(Dispatch, NamesAndInterfaces) {
  DISPID id = 0;
  LPOLESTR names[] = {const_cast<LPOLESTR>(L"en_ir_to_NIVO")};
  EXPECT_EQ(control_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK);
  EXPECT_EQ(id, 10);
  names[0] = const_cast<LPOLESTR>(L"NoSuchMember");
  EXPECT_EQ(control_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id),
            DISP_E_UNKNOWNNAME);
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  EXPECT_EQ(control_->Invoke(10, IID_IDispatch, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none,
                             nullptr, nullptr, nullptr),
            DISP_E_UNKNOWNINTERFACE);
}

TEST_F(Dispatch, VtableMembersCheckTheirResultPointer) {
  _Pelikar* control = Vtable();
  ASSERT_NE(control, nullptr);
  BSTR text = SysAllocString(L"abc");
  EXPECT_EQ(control->Reverse(text, nullptr), E_POINTER);
  EXPECT_EQ(control->NivoFarsiChar(1, nullptr), E_POINTER);
  EXPECT_EQ(control->FarsiPress(nullptr, nullptr, nullptr), E_POINTER);
  EXPECT_EQ(control->En_Ir_FileToNivo(text, text, nullptr), E_POINTER);
  // The members that show windows show none without a place for their answer.
  EXPECT_EQ(control->KeyBoard(text, text, nullptr), E_POINTER);
  EXPECT_EQ(control->KeyBoard2(text, text, 0, 0, nullptr), E_POINTER);
  EXPECT_EQ(control->Message(text, 0, text, 0, nullptr), E_POINTER);
  EXPECT_EQ(control->ToolTip(text, nullptr, nullptr), E_POINTER);
  SysFreeString(text);
}

// The variant properties: CodePage keeps only 0 and 1 (compared as numbers), and a
// value that is no number raises Type mismatch with the old value kept; Environment
// keeps whatever it is given.
TEST_F(Dispatch, VariantPropertiesThroughTheVtable) {
  _Pelikar* control = Vtable();
  ASSERT_NE(control, nullptr);
  const struct {
    Variant given;
    HRESULT result;
    VARTYPE storedType;
    LONG stored;
  } cases[] = {
      {Variant::Long(1), S_OK, VT_I4, 1},
      {Variant::Short(7), S_OK, VT_I2, 0},
      {Variant::Text(L"1"), S_OK, VT_BSTR, 1},
      {Variant::Text(L"one"), kTypeMismatch, VT_BSTR, 1},
  };
  for (const auto& testCase : cases) {
    EXPECT_EQ(control->put_CodePage(*testCase.given.get()), testCase.result);
    VARIANT stored;
    ASSERT_EQ(control->get_CodePage(&stored), S_OK);
    EXPECT_EQ(V_VT(&stored), testCase.storedType);
    VARIANT number;
    VariantInit(&number);
    ASSERT_EQ(VariantChangeType(&number, &stored, 0, VT_I4), S_OK);
    EXPECT_EQ(V_I4(&number), testCase.stored);
    VariantClear(&stored);
  }
  const Variant environment = Variant::Text(L"Delphi");
  ASSERT_EQ(control->put_Environment(*environment.get()), S_OK);
  VARIANT stored;
  ASSERT_EQ(control->get_Environment(&stored), S_OK);
  EXPECT_EQ(V_VT(&stored), VT_BSTR);
  EXPECT_STREQ(V_BSTR(&stored), L"Delphi");
  VariantClear(&stored);
}

TEST_F(Dispatch, VtableRunTimeErrorsCarryErrorInfo) {
  _Pelikar* control = Vtable();
  ASSERT_NE(control, nullptr);
  BSTR notANumber = SysAllocString(L"abc");
  BSTR result = reinterpret_cast<BSTR>(1);
  EXPECT_EQ(control->AscStrToStr(notANumber, &result), kTypeMismatch);
  EXPECT_EQ(result, nullptr);
  EXPECT_EQ(ErrorDescription().rfind(L"Type mismatch", 0), 0u);
  SysFreeString(notANumber);

  ISupportErrorInfo* support = nullptr;
  ASSERT_EQ(control->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&support)),
            S_OK);
  EXPECT_EQ(support->InterfaceSupportsErrorInfo(kPelikarInterface), S_OK);
  EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IPersist), S_FALSE);
  support->Release();
}

TEST_F(Dispatch, StringsKeepEmbeddedNulsAndNullIsEmpty) {
  _Pelikar* control = Vtable();
  ASSERT_NE(control, nullptr);
  BSTR text = SysAllocStringLen(L"a\0b", 3);
  BSTR reversed = nullptr;
  ASSERT_EQ(control->Reverse(text, &reversed), S_OK);
  EXPECT_EQ(std::wstring(reversed, SysStringLen(reversed)), std::wstring(L"b\0a", 3));
  SysFreeString(reversed);
  SysFreeString(text);

  BSTR empty = nullptr;
  ASSERT_EQ(control->Reverse(nullptr, &empty), S_OK);
  ASSERT_NE(empty, nullptr) << "an empty result is an empty string, not NULL";
  EXPECT_EQ(SysStringLen(empty), 0u);
  SysFreeString(empty);
}

TEST_F(Dispatch, ClassInfoNamesTheClassAndItsEventInterface) {
  IProvideClassInfo2* provider = nullptr;
  ASSERT_EQ(control_->QueryInterface(IID_IProvideClassInfo2, reinterpret_cast<void**>(&provider)),
            S_OK);
  GUID events{};
  EXPECT_EQ(provider->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &events), S_OK);
  EXPECT_TRUE(IsEqualGUID(events, kPelikarEvents));
  ITypeInfo* info = nullptr;
  ASSERT_EQ(provider->GetClassInfo(&info), S_OK);
  TYPEATTR* attributes = nullptr;
  ASSERT_EQ(info->GetTypeAttr(&attributes), S_OK);
  EXPECT_TRUE(IsEqualGUID(attributes->guid, kPelikarClass));
  info->ReleaseTypeAttr(attributes);
  info->Release();
  provider->Release();
}

}  // namespace
}  // namespace pelikar::com_tests
