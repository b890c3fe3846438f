// A hostile late-bound client: every member of the control's dispatch interface, read
// from its own type information, called with too many and too few arguments, with an
// array where a value belongs, with numbers no integer holds (NaN, the infinities,
// 1e300, one past the type's range) for every integer parameter, with a name it lacks
// and with malformed parameter lists. Every call is refused with the error a Windows
// client expects and the argument it names; none reaches the member. And fields that
// misbehave while a key is typed into them: a member that raises, answers with a
// value of the wrong kind, calls back into the control, or drops the caller's last
// reference to the field or to the control.
#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "control_test.h"
#include "test_object.h"

namespace pelikar::com_tests {
namespace {

struct Member {
  std::wstring name;
  DISPID id;
  WORD flags;                   // DISPATCH_METHOD, _PROPERTYGET or _PROPERTYPUT
  std::vector<TYPEDESC> types;  // by parameter
  std::size_t required;
};

std::vector<Member> MembersOf(IDispatch* object) {
  ITypeInfo* info = nullptr;
  EXPECT_EQ(object->GetTypeInfo(0, 0, &info), S_OK);
  std::vector<Member> members;
  FUNCDESC* function = nullptr;
  for (UINT index = 0; info->GetFuncDesc(index, &function) == S_OK; ++index) {
    BSTR name = nullptr;
    info->GetDocumentation(function->memid, &name, nullptr, nullptr, nullptr);
    // INVOKE_FUNC, _PROPERTYGET and _PROPERTYPUT have the values of the DISPATCH_ flags.
    Member member{name, function->memid, static_cast<WORD>(function->invkind), {}, 0};
    SysFreeString(name);
    for (SHORT p = 0; p < function->cParams; ++p) {
      member.types.push_back(function->lprgelemdescParam[p].tdesc);
      if (!(function->lprgelemdescParam[p].paramdesc.wParamFlags & PARAMFLAG_FOPT)) member.required = p + 1;
    }
    if (function->memid > 0 && function->memid < 0x10000) members.push_back(member);
    info->ReleaseFuncDesc(function);
  }
  info->Release();
  return members;
}

class HostileClient : public ControlTest {
 protected:
  // Arguments that convert to every parameter: empty values, no object for objects,
  // and references to empty variables (empties_) for the parameters taken by reference.
  std::vector<VARIANT> Neutral(const Member& member, std::size_t count) {
    empties_.assign(count, VARIANT{});
    std::vector<VARIANT> arguments(count, VARIANT{});
    for (std::size_t p = 0; p < count && p < member.types.size(); ++p) {
      if (member.types[p].vt == VT_DISPATCH) V_VT(&arguments[p]) = VT_DISPATCH;
      if (member.types[p].vt != VT_PTR) continue;
      V_VT(&arguments[p]) = VT_BYREF | VT_VARIANT;
      V_VARIANTREF(&arguments[p]) = &empties_[p];
    }
    return arguments;
  }
  // Calls the member with the arguments in parameter order (a put's value last).
  CallResult Raw(const Member& member, const std::vector<VARIANT>& arguments) {
    std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
    DISPID named = DISPID_PROPERTYPUT;
    const UINT put = member.flags == DISPATCH_PROPERTYPUT && !reversed.empty();
    DISPPARAMS params{reversed.data(), &named, static_cast<UINT>(reversed.size()), put};
    CallResult call;
    call.result = control_->Invoke(member.id, IID_NULL, 0, member.flags, &params, &call.value,
                                   &call.exception, &call.argumentError);
    return call;
  }

  std::vector<VARIANT> empties_;
};

TEST_F(HostileClient, EveryMemberRefusesWhatItCannotTake) {
  SAFEARRAY* array = SafeArrayCreateVector(VT_I4, 0, 3);
  const double kInfinity = std::numeric_limits<double>::infinity();
  int overflows = 0;
  for (const Member& member : MembersOf(control_)) {
    SCOPED_TRACE(Narrow(member.name));
    const std::size_t count = member.types.size();
    EXPECT_EQ(Raw(member, Neutral(member, count + 1)).result, DISP_E_BADPARAMCOUNT);
    if (member.required > 0) {
      const HRESULT result = Raw(member, Neutral(member, member.required - 1)).result;
      EXPECT_TRUE(result == DISP_E_BADPARAMCOUNT || result == DISP_E_PARAMNOTOPTIONAL ||
                  (result == DISP_E_PARAMNOTFOUND && member.flags == DISPATCH_PROPERTYPUT)) << result;
    }
    for (std::size_t p = 0; p < count; ++p) {
      SCOPED_TRACE("parameter " + std::to_string(p));
      const VARTYPE type = member.types[p].vt == VT_PTR ? member.types[p].lptdesc->vt : member.types[p].vt;
      if (type == VT_VARIANT || type == VT_DISPATCH || type == VT_UNKNOWN) continue;
      auto arguments = Neutral(member, count);
      V_VT(&arguments[p]) = VT_ARRAY | VT_I4;
      V_ARRAY(&arguments[p]) = array;
      const CallResult call = Raw(member, arguments);
      EXPECT_EQ(call.result, DISP_E_TYPEMISMATCH);
      EXPECT_EQ(call.argumentError, count - 1 - p);
      if (type != VT_UI1 && type != VT_I2 && type != VT_I4) continue;
      const double pastTheRange = type == VT_UI1 ? 256 : type == VT_I2 ? 32767.5 : 2147483648.0;
      for (double number : {std::nan(""), kInfinity, -kInfinity, 1e300, pastTheRange}) {
        arguments = Neutral(member, count);
        VARIANT& value = member.types[p].vt == VT_PTR ? empties_[p] : arguments[p];
        V_VT(&value) = VT_R8;
        V_R8(&value) = number;
        const CallResult overflow = Raw(member, arguments);
        EXPECT_EQ(overflow.result, DISP_E_OVERFLOW) << number;
        EXPECT_EQ(overflow.argumentError, count - 1 - p) << number;
        ++overflows;
      }
    }
    if (count == 0 || member.flags == DISPATCH_PROPERTYPUT) continue;
    // Named arguments, one of them a parameter the member does not have; then lists
    // whose counts and arrays disagree.
    auto arguments = Neutral(member, count);
    std::vector<DISPID> ids(count);
    for (std::size_t i = 0; i < count; ++i) ids[i] = static_cast<DISPID>(count - 1 - i);
    ids[0] = 77;
    const std::pair<DISPPARAMS, HRESULT> lists[] = {
        {{arguments.data(), ids.data(), static_cast<UINT>(count), static_cast<UINT>(count)}, DISP_E_PARAMNOTFOUND},
        {{nullptr, nullptr, 1, 0}, E_INVALIDARG},
        {{arguments.data(), nullptr, 1, 1}, E_INVALIDARG},
        {{arguments.data(), ids.data(), 1, 2}, E_INVALIDARG}};
    for (auto [params, expected] : lists) {
      Variant result;
      EXPECT_EQ(control_->Invoke(member.id, IID_NULL, 0, member.flags, &params, &result, nullptr, nullptr), expected);
    }
  }
  SafeArrayDestroy(array);
  EXPECT_GT(overflows, 100);
}

// A text box as the typing members see it, with Persian typing on.
class HostileField : public HostileClient {
 protected:
  void SetUp() override {
    HostileClient::SetUp();
    ASSERT_EQ(Put(control_, L"Farsi", I2(-1)), S_OK);
  }
  // Types the key for "s" into the field; what each of the two members raised.
  std::pair<HRESULT, HRESULT> TypeKey(TestObject* field) {
    short character = 's';
    const HRESULT down = Invoke(L"FarsiDown", {field, I2('S'), I2(0)}).raised();
    return {down, Invoke(L"FarsiPress", {field, &character}).raised()};
  }
};

TEST_F(HostileField, MembersThatRaiseOrAnswerNonsenseAreTrapped) {
  Variant array, raise, nan = Variant(VT_R8, std::nan(""));
  V_VT(&array) = VT_ARRAY | VT_I4;
  V_ARRAY(&array) = SafeArrayCreateVector(VT_I4, 0, 3);
  V_VT(&raise) = VT_ERROR;
  V_ERROR(&raise) = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 380);  // Invalid property value
  auto* stranger = new TestObject();  // no members, no default value
  Variant strangerValue = stranger;
  stranger->Release();
  for (const wchar_t* member : {L"Tag", L"Name", L"Text", L"SelText", L"SelStart", L"SelLength", L"Locked",
                                L"MaxLength", L"MultiLine"}) {
    for (const Variant* misbehaviour : {&raise, &array, &strangerValue, &nan}) {
      SCOPED_TRACE(Narrow(member) + " given a VARIANT of type " + std::to_string(V_VT(misbehaviour)));
      TestObject* field = NewTextBox()->Set(member, *misbehaviour);
      // The typing members trap what the field does and answer False.
      EXPECT_EQ(TypeKey(field), std::make_pair(S_OK, S_OK));
      EXPECT_EQ(field->references(), 1u) << "the control let go of the field";
      field->Release();
    }
  }
  EXPECT_EQ(stranger->references(), 1u);
}

TEST_F(HostileField, FieldsThatCallBackOrLetGoDuringTheKeystroke) {
  // Reading SelStart types into the same field again, three deep.
  TestObject* field = NewTextBox();
  int depth = 0;
  field->AddMethod(L"SelStart", [&](const std::vector<VARIANT*>&, VARIANT* result) {
    if (++depth <= 3) TypeKey(field);
    *result = I4(0);
    return S_OK;
  });
  EXPECT_EQ(TypeKey(field), std::make_pair(S_OK, S_OK));
  EXPECT_GT(depth, 3);
  EXPECT_EQ(field->references(), 1u);
  field->Release();

  // Reading Locked drops the caller's references to the field and to the control:
  // both stay alive until the member returns, then go.
  field = NewTextBox();
  field->AddRef();  // the caller's reference, dropped during the call; this one stays
  control_->AddRef();
  ULONG fieldLeft = 0, controlLeft = 0;
  field->AddMethod(L"Locked", [&](const std::vector<VARIANT*>&, VARIANT* result) {
    if (fieldLeft == 0) {
      fieldLeft = field->Release();
      controlLeft = control_->Release();
    }
    *result = Variant(VT_BOOL, 0);
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
