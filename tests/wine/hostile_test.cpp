// A hostile late-bound client: every member of the control's dispatch interface, read
// from its own type information, called with too many and too few arguments, with an
// array or an object where a value belongs, and with numbers no integer holds (NaN, the
// infinities, 1e300, one past the type's range) for every integer parameter. Every
// call is refused with the error a Windows client expects and the argument it names;
// none reaches the member. Region coordinates past GDI's range are refused too. And
// fields that misbehave while a key is typed into them: a member that raises, answers
// with a value of the wrong kind, calls back into the control, or drops the caller's
// last reference to the field or to the control.
#include <cmath>
#include <limits>
#include <utility>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "control_test.h"
#include "test_object.h"

namespace pelikar::com_tests {
namespace {

struct Member {
  std::wstring name;
  DISPID id;
  WORD flags;                   // DISPATCH_METHOD, _PROPERTYGET or _PROPERTYPUT
  std::vector<TYPEDESC> types;  // by parameter
  int required;
};

WORD FlagsOf(INVOKEKIND kind) {
  return kind == INVOKE_FUNC ? DISPATCH_METHOD
         : kind == INVOKE_PROPERTYGET ? DISPATCH_PROPERTYGET
                                      : DISPATCH_PROPERTYPUT;
}

std::vector<Member> MembersOf(IDispatch* object) {
  ITypeInfo* info = nullptr;
  EXPECT_EQ(object->GetTypeInfo(0, 0, &info), S_OK);
  TYPEATTR* attributes = nullptr;
  info->GetTypeAttr(&attributes);
  std::vector<Member> members;
  for (UINT index = 0; index < attributes->cFuncs; ++index) {
    FUNCDESC* function = nullptr;
    info->GetFuncDesc(index, &function);
    BSTR name = nullptr;
    info->GetDocumentation(function->memid, &name, nullptr, nullptr, nullptr);
    Member member{name, function->memid, FlagsOf(function->invkind), {}, 0};
    SysFreeString(name);
    for (SHORT p = 0; p < function->cParams; ++p) {
      const ELEMDESC& element = function->lprgelemdescParam[p];
      member.types.push_back(element.tdesc);
      if (!(element.paramdesc.wParamFlags & PARAMFLAG_FOPT)) member.required = p + 1;
    }
    if (function->memid > 0 && function->memid < 0x10000) members.push_back(member);
    info->ReleaseFuncDesc(function);
  }
  info->ReleaseTypeAttr(attributes);
  info->Release();
  return members;
}

VARTYPE ValueType(const TYPEDESC& type) {
  return type.vt == VT_PTR ? type.lptdesc->vt : type.vt;
}

class HostileClient : public ControlTest {
 protected:
  // Calls the member with the arguments in parameter order (a put's value last).
  CallResult Raw(const Member& member, std::vector<VARIANT>& arguments) {
    std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
    const bool put = member.flags == DISPATCH_PROPERTYPUT && !reversed.empty();
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{reversed.data(), &named, static_cast<UINT>(reversed.size()), put ? 1u : 0u};
    CallResult call;
    call.result = control_->Invoke(member.id, IID_NULL, 0, member.flags, &params,
                                   call.value.get(), &call.exception, &call.argumentError);
    return call;
  }

  // Arguments that convert to every parameter: empty values, no object for objects,
  // and references to empty variables for the parameters taken by reference.
  std::vector<VARIANT> Neutral(const Member& member, std::size_t count) {
    empties_.assign(count, VARIANT{});
    std::vector<VARIANT> arguments(count);
    for (std::size_t p = 0; p < count; ++p) {
      VariantInit(&arguments[p]);
      if (p < member.types.size() && member.types[p].vt == VT_DISPATCH) {
        V_VT(&arguments[p]) = VT_DISPATCH;
        V_DISPATCH(&arguments[p]) = nullptr;
      } else if (p < member.types.size() && member.types[p].vt == VT_PTR) {
        V_VT(&arguments[p]) = VT_BYREF | VT_VARIANT;
        V_VARIANTREF(&arguments[p]) = &empties_[p];
      }
    }
    return arguments;
  }

  std::vector<VARIANT> empties_;
};

TEST_F(HostileClient, WrongCountsAreRefusedBeforeAnyMemberRuns) {
  int calls = 0;
  for (const Member& member : MembersOf(control_)) {
    SCOPED_TRACE(Narrow(member.name));
    auto tooMany = Neutral(member, member.types.size() + 1);
    EXPECT_EQ(Raw(member, tooMany).result, DISP_E_BADPARAMCOUNT);
    ++calls;
    if (member.required == 0) continue;
    auto tooFew = Neutral(member, member.required - 1);
    const HRESULT result = Raw(member, tooFew).result;
    EXPECT_TRUE(result == DISP_E_BADPARAMCOUNT || result == DISP_E_PARAMNOTOPTIONAL ||
                (result == DISP_E_PARAMNOTFOUND && member.flags == DISPATCH_PROPERTYPUT))
        << result;
    ++calls;
  }
  EXPECT_GT(calls, 46);
}

TEST_F(HostileClient, ValuesOfTheWrongKindAreRefusedWithTheArgumentNamed) {
  SAFEARRAY* array = SafeArrayCreateVector(VT_I4, 0, 3);
  for (const Member& member : MembersOf(control_)) {
    for (std::size_t p = 0; p < member.types.size(); ++p) {
      const VARTYPE type = ValueType(member.types[p]);
      if (type == VT_VARIANT || type == VT_DISPATCH || type == VT_UNKNOWN) continue;
      SCOPED_TRACE(Narrow(member.name) + " parameter " + std::to_string(p));
      auto arguments = Neutral(member, member.types.size());
      V_VT(&arguments[p]) = VT_ARRAY | VT_I4;
      V_ARRAY(&arguments[p]) = array;
      const CallResult call = Raw(member, arguments);
      EXPECT_EQ(call.result, DISP_E_TYPEMISMATCH);
      EXPECT_EQ(call.argumentError, member.types.size() - 1 - p);
    }
  }
  SafeArrayDestroy(array);
}

TEST_F(HostileClient, NumbersNoIntegerHoldsOverflow) {
  const double kInfinity = std::numeric_limits<double>::infinity();
  int calls = 0;
  for (const Member& member : MembersOf(control_)) {
    for (std::size_t p = 0; p < member.types.size(); ++p) {
      const VARTYPE type = ValueType(member.types[p]);
      if (type != VT_UI1 && type != VT_I2 && type != VT_I4) continue;
      const double pastTheRange = type == VT_UI1 ? 256 : type == VT_I2 ? 32767.5 : 2147483648.0;
      for (double number : {std::nan(""), kInfinity, -kInfinity, 1e300, pastTheRange}) {
        SCOPED_TRACE(Narrow(member.name) + " parameter " + std::to_string(p) + " given " +
                     std::to_string(number));
        auto arguments = Neutral(member, member.types.size());
        VARIANT& value = member.types[p].vt == VT_PTR ? empties_[p] : arguments[p];
        V_VT(&value) = VT_R8;
        V_R8(&value) = number;
        const CallResult call = Raw(member, arguments);
        EXPECT_EQ(call.result, DISP_E_OVERFLOW);
        EXPECT_EQ(call.argumentError, member.types.size() - 1 - p);
        ++calls;
      }
    }
  }
  EXPECT_GT(calls, 100);
}

TEST_F(HostileClient, UnknownNamesAndMalformedListsAreRefused) {
  int calls = 0;
  for (const Member& member : MembersOf(control_)) {
    if (member.types.empty() || member.flags == DISPATCH_PROPERTYPUT) continue;
    SCOPED_TRACE(Narrow(member.name));
    auto arguments = Neutral(member, member.types.size());
    std::vector<DISPID> names(arguments.size());
    for (std::size_t i = 0; i < names.size(); ++i) names[i] = static_cast<DISPID>(names.size() - 1 - i);
    names[0] = 77;  // a parameter the member does not have
    DISPPARAMS params{arguments.data(), names.data(), static_cast<UINT>(arguments.size()),
                      static_cast<UINT>(names.size())};
    Variant result;
    EXPECT_EQ(control_->Invoke(member.id, IID_NULL, 0, member.flags, &params, result.get(), nullptr,
                               nullptr),
              DISP_E_PARAMNOTFOUND);
    for (DISPPARAMS malformed : {DISPPARAMS{nullptr, nullptr, 1, 0}, DISPPARAMS{arguments.data(), nullptr, 1, 1},
                                 DISPPARAMS{arguments.data(), names.data(), 1, 2}}) {
      EXPECT_EQ(control_->Invoke(member.id, IID_NULL, 0, member.flags, &malformed, result.get(), nullptr,
                                 nullptr),
                E_INVALIDARG);
    }
    calls += 4;
  }
  EXPECT_GT(calls, 100);
}

TEST_F(HostileClient, RegionCoordinatesPastTheirRangeAreInvalid) {
  auto* form = new TestObject();
  form->SetLong(L"hwnd", 0);
  const Variant yourForm = Object(form);
  form->Release();
  for (LONG coordinate : {LONG{1} << 27, -(LONG{1} << 27) - 1, LONG{2147483647}}) {
    const Variant outside = Variant::Long(coordinate), zero = Variant::Long(0);
    EXPECT_EQ(Raised(Invoke(L"ShapeOval", {&yourForm, &zero, &outside, &zero, &zero})),
              RunTimeError(5));
    EXPECT_EQ(Raised(Invoke(L"ShapeRect",
                            {&yourForm, &zero, &zero, &zero, &zero, &zero, &outside})),
              RunTimeError(5));
  }
}

// A text box as the typing members see it, with Persian typing on.
class HostileField : public HostileClient {
 protected:
  void SetUp() override {
    HostileClient::SetUp();
    const Variant on = Variant::Short(-1);
    ASSERT_EQ(Call(control_, L"Farsi", {&on}, DISPATCH_PROPERTYPUT).result, S_OK);
  }

  static TestObject* NewField() {
    auto* field = new TestObject();
    for (const wchar_t* name : {L"Tag", L"Name", L"Text", L"SelText"}) {
      field->Set(name, *Variant::Text(name == std::wstring(L"Name") ? L"Text1" : L"").get());
    }
    for (const wchar_t* name : {L"SelStart", L"SelLength", L"Locked", L"MaxLength", L"MultiLine"}) {
      field->SetLong(name, 0);
    }
    return field;
  }

  // Types the key for "s" into the field; what each of the two members answered.
  std::pair<HRESULT, HRESULT> TypeKey(TestObject* field) {
    const Variant object = Object(field), code = Variant::Short('S'), shift = Variant::Short(0);
    short character = 's';
    const Variant reference = Variant::ShortReference(&character);
    const HRESULT down = Raised(Invoke(L"FarsiDown", {&object, &code, &shift}));
    return {down, Raised(Invoke(L"FarsiPress", {&object, &reference}))};
  }
};

constexpr const wchar_t* kFieldMembers[] = {L"Tag",      L"Name",      L"Text",   L"SelText",  L"SelStart",
                                            L"SelLength", L"Locked", L"MaxLength", L"MultiLine"};

TEST_F(HostileField, MembersThatRaiseOrAnswerNonsenseAreTrapped) {
  SAFEARRAY* array = SafeArrayCreateVector(VT_I4, 0, 3);
  auto* stranger = new TestObject();  // no members, no default value
  const Variant strangerValue = Object(stranger);
  stranger->Release();
  VARIANT arrayValue, nan;
  V_VT(&arrayValue) = VT_ARRAY | VT_I4;
  V_ARRAY(&arrayValue) = array;
  V_VT(&nan) = VT_R8;
  V_R8(&nan) = std::nan("");
  int calls = 0;
  for (const wchar_t* member : kFieldMembers) {
    for (int misbehaviour = 0; misbehaviour < 4; ++misbehaviour) {
      SCOPED_TRACE(Narrow(member) + " misbehaviour " + std::to_string(misbehaviour));
      TestObject* field = NewField();
      if (misbehaviour == 0) field->RaiseOnRead(member, 380, L"Invalid property value");
      if (misbehaviour == 1) field->Set(member, arrayValue);
      if (misbehaviour == 2) field->Set(member, *strangerValue.get());
      if (misbehaviour == 3) field->Set(member, nan);
      const auto [down, press] = TypeKey(field);
      // The typing members trap what the field does and answer False.
      EXPECT_EQ(down, S_OK);
      EXPECT_EQ(press, S_OK);
      calls += 2;
      EXPECT_EQ(field->references(), 1u) << "the control let go of the field";
      field->Release();
    }
  }
  SafeArrayDestroy(array);
  EXPECT_EQ(calls, 72);
  EXPECT_EQ(stranger->references(), 1u);
}

TEST_F(HostileField, FieldsThatCallBackOrLetGoDuringTheKeystroke) {
  // Reading SelStart types into the same field again, three deep.
  TestObject* field = NewField();
  int depth = 0;
  field->AddMethod(L"SelStart", [&](const std::vector<VARIANT*>&, VARIANT* result) {
    if (++depth <= 3) TypeKey(field);
    V_VT(result) = VT_I4;
    V_I4(result) = 0;
    return S_OK;
  });
  EXPECT_EQ(TypeKey(field), std::make_pair(S_OK, S_OK));
  EXPECT_GT(depth, 3);
  EXPECT_EQ(field->references(), 1u);
  field->Release();

  // Reading Locked drops the caller's references to the field and to the control:
  // both stay alive until the member returns, then go.
  field = NewField();
  field->AddRef();  // the caller's reference, dropped during the call; this one stays
  control_->AddRef();
  ULONG fieldLeft = 0, controlLeft = 0;
  field->AddMethod(L"Locked", [&](const std::vector<VARIANT*>&, VARIANT* result) {
    if (fieldLeft == 0) {
      fieldLeft = field->Release();
      controlLeft = control_->Release();
    }
    V_VT(result) = VT_BOOL;
    V_BOOL(result) = VARIANT_FALSE;
    return S_OK;
  });
  TypeKey(field);
  // Left: this test's, the argument's and the control's.
  EXPECT_GE(fieldLeft, 3u) << "the control holds the field while it types";
  // Left: the fixture's and the member's own.
  EXPECT_GE(controlLeft, 2u) << "the control holds itself while it calls the field";
  EXPECT_EQ(field->references(), 1u);
  field->Release();
}

}  // namespace
}  // namespace pelikar::com_tests
