#include "control/com/type_info_dispatch.h"

#include <cmath>
#include <new>

#include "control/com/type_library.h"

namespace pelikar::com {
namespace {

using Parameter = TypeInfoDispatch::Parameter;

// What a parameter's declaration says of its type.
Parameter ParameterOf(const TYPEDESC& type) {
  const bool reference = type.vt == VT_PTR && type.lptdesc != nullptr;
  switch (reference ? type.lptdesc->vt : type.vt) {
    case VT_I1: case VT_UI1: case VT_I2: case VT_UI2: case VT_I4: case VT_UI4:
    case VT_I8: case VT_UI8: case VT_INT: case VT_UINT: case VT_R4: case VT_R8:
    case VT_CY: case VT_DATE: case VT_BSTR: case VT_BOOL:
      return {reference ? type.lptdesc->vt : type.vt, reference};
    default:
      return {VT_EMPTY, reference};
  }
}

bool IsInteger(VARTYPE type) { return type == VT_UI1 || type == VT_I2 || type == VT_I4; }

// Whether a floating-point argument fits the integer type it is converted to, as
// Windows' conversion decides: rounded to the nearest (ties to even), within the
// type's range; NaN and the infinities never fit. Wine's conversion turns them into
// the type's largest value, which a region call then never returns from.
bool FitsInteger(const VARIANT& argument, VARTYPE integer) {
  const VARIANT* value = &argument;
  if (V_VT(value) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(value) != nullptr) {
    value = V_VARIANTREF(value);
  }
  double number;
  switch (V_VT(value)) {
    case VT_R8: number = V_R8(value); break;
    case VT_R4: number = V_R4(value); break;
    case VT_BYREF | VT_R8: number = V_R8REF(value) != nullptr ? *V_R8REF(value) : 0; break;
    case VT_BYREF | VT_R4: number = V_R4REF(value) != nullptr ? *V_R4REF(value) : 0; break;
    default: return true;  // other kinds the platform's conversion checks itself
  }
  if (!std::isfinite(number)) return false;
  const double rounded = std::nearbyint(number);
  switch (integer) {
    case VT_UI1: return rounded >= 0 && rounded <= 255;
    case VT_I2: return rounded >= -32768 && rounded <= 32767;
    default: return rounded >= -2147483648.0 && rounded <= 2147483647.0;
  }
}

// Whether an argument converts to a plain-valued parameter, and fits it if it is an
// integer. A reference's conversion is left to Rewrap; an omitted argument and an
// object (whose value the conversion would ask for once more) to the runtime.
HRESULT CheckArgument(const VARIANT& argument, const Parameter& parameter) {
  if (parameter.type == VT_EMPTY) return S_OK;
  if (IsInteger(parameter.type) && !FitsInteger(argument, parameter.type)) return DISP_E_OVERFLOW;
  const VARTYPE given = V_VT(&argument) & ~VT_BYREF;
  if ((V_VT(&argument) & VT_BYREF) || V_VT(&argument) == parameter.type || given == VT_ERROR ||
      given == VT_DISPATCH || given == VT_UNKNOWN) {
    return S_OK;
  }
  VARIANT converted;
  VariantInit(&converted);
  const HRESULT result = VariantChangeType(&converted, const_cast<VARIANT*>(&argument), 0, parameter.type);
  VariantClear(&converted);
  return result;
}

// A script engine's reference to one of its variables.
bool IsScriptReference(const VARIANT& argument) {
  if (V_VT(&argument) != (VT_BYREF | VT_VARIANT)) return false;
  const VARIANT* variable = V_VARIANTREF(&argument);
  return variable != nullptr && (V_VT(variable) & VT_BYREF) == 0;
}

// The parameter that rgvarg[position] supplies, or -1. Positional arguments are
// stored last to first, after the named ones; a property's new value is its last.
int ParameterIndex(const DISPPARAMS& params, UINT position, std::size_t parameterCount) {
  int index;
  if (position < params.cNamedArgs) {
    index = params.rgdispidNamedArgs[position];
    if (index == DISPID_PROPERTYPUT) index = static_cast<int>(parameterCount) - 1;
  } else {
    index = static_cast<int>(params.cArgs - 1 - position);
  }
  return index >= 0 && static_cast<std::size_t>(index) < parameterCount ? index : -1;
}

// The caller's arguments, with script references to typed-reference parameters
// replaced by references to coerced temporaries.
class ReferenceArguments {
 public:
  explicit ReferenceArguments(DISPPARAMS* original) : original_(original) {}
  ReferenceArguments(const ReferenceArguments&) = delete;
  ReferenceArguments& operator=(const ReferenceArguments&) = delete;
  ~ReferenceArguments() {
    for (Temporary& temporary : temporaries_) VariantClear(&temporary.value);
  }

  // Refuses, before the member runs, arguments it cannot take.
  HRESULT Check(const TypeInfoDispatch::Member& member, UINT* argumentError) const {
    if (original_->cArgs > member.parameters.size()) return DISP_E_BADPARAMCOUNT;
    for (UINT position = 0; position < original_->cArgs; ++position) {
      const int index = ParameterIndex(*original_, position, member.parameters.size());
      // A name the member lacks; the platform's own invocation would take the
      // argument for another.
      const HRESULT result = index < 0 ? DISP_E_PARAMNOTFOUND
                                       : CheckArgument(original_->rgvarg[position],
                                                       member.parameters[static_cast<std::size_t>(index)]);
      if (FAILED(result)) {
        if (argumentError != nullptr) *argumentError = position;
        return result;
      }
    }
    return S_OK;
  }

  HRESULT Rewrap(const TypeInfoDispatch::Member& member, UINT* argumentError) {
    const UINT count = original_->cArgs;
    // The wrapped arguments point into the temporaries: their addresses must not move.
    temporaries_.reserve(count);
    for (UINT position = 0; position < count; ++position) {
      const VARIANT& argument = original_->rgvarg[position];
      const int index = ParameterIndex(*original_, position, member.parameters.size());
      if (index < 0 || !IsScriptReference(argument)) continue;
      const Parameter& parameter = member.parameters[static_cast<std::size_t>(index)];
      if (!parameter.reference || parameter.type == VT_EMPTY) continue;
      const VARTYPE declared = parameter.type;

      if (arguments_.empty()) arguments_.assign(original_->rgvarg, original_->rgvarg + count);
      Temporary& temporary = temporaries_.emplace_back();
      temporary.variable = V_VARIANTREF(&argument);
      const HRESULT result = VariantChangeType(&temporary.value, temporary.variable, 0, declared);
      if (FAILED(result)) {
        if (argumentError != nullptr) *argumentError = position;
        return result;
      }
      VARIANT& wrapped = arguments_[position];
      V_VT(&wrapped) = static_cast<VARTYPE>(VT_BYREF | declared);
      // Every member of the variant's value union starts at the same address.
      V_BYREF(&wrapped) = &V_I8(&temporary.value);
    }
    if (!arguments_.empty()) {
      params_ = *original_;
      params_.rgvarg = arguments_.data();
    }
    return S_OK;
  }

  DISPPARAMS* Params() { return arguments_.empty() ? original_ : &params_; }

  // The callee's values go back into the caller's variables.
  void CopyBack() {
    for (Temporary& temporary : temporaries_) VariantCopy(temporary.variable, &temporary.value);
  }

 private:
  struct Temporary {
    VARIANT* variable = nullptr;
    VARIANT value{};  // VT_EMPTY
  };

  DISPPARAMS* original_;
  DISPPARAMS params_{};
  std::vector<VARIANT> arguments_;
  std::vector<Temporary> temporaries_;
};

}  // namespace

TypeInfoDispatch::~TypeInfoDispatch() {
  if (interfaceInfo_ != nullptr) interfaceInfo_->Release();
  if (dispatchInfo_ != nullptr) dispatchInfo_->Release();
}

HRESULT TypeInfoDispatch::Load(REFIID dualInterface) {
  HRESULT result = LoadModuleTypeInfo(dualInterface, &dispatchInfo_);
  if (FAILED(result)) return result;
  // The dispatch half describes the interface to clients; calls go through the
  // vtable half.
  HREFTYPE vtableHalf = 0;
  if (FAILED(dispatchInfo_->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtableHalf)) ||
      FAILED(dispatchInfo_->GetRefTypeInfo(vtableHalf, &interfaceInfo_))) {
    interfaceInfo_ = dispatchInfo_;
    interfaceInfo_->AddRef();
  }
  try {
    return ReadMembers();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;  // nothing may cross into the caller
  }
}

// Members are found by scanning the function descriptions: Wine's
// GetFuncIndexOfMemId miscounts on the dispatch half of a dual interface.
HRESULT TypeInfoDispatch::ReadMembers() {
  TYPEATTR* attributes = nullptr;
  HRESULT result = interfaceInfo_->GetTypeAttr(&attributes);
  if (FAILED(result)) return result;
  const UINT functionCount = attributes->cFuncs;
  interfaceInfo_->ReleaseTypeAttr(attributes);

  members_.reserve(functionCount);
  for (UINT index = 0; index < functionCount; ++index) {
    FUNCDESC* function = nullptr;
    result = interfaceInfo_->GetFuncDesc(index, &function);
    if (FAILED(result)) return result;
    Member member{function->memid, function->invkind, {}};
    for (SHORT parameter = 0; parameter < function->cParams; ++parameter) {
      const ELEMDESC& element = function->lprgelemdescParam[parameter];
      if (element.paramdesc.wParamFlags & PARAMFLAG_FRETVAL) break;
      member.parameters.push_back(ParameterOf(element.tdesc));
    }
    interfaceInfo_->ReleaseFuncDesc(function);
    members_.push_back(std::move(member));
  }
  return S_OK;
}

const TypeInfoDispatch::Member* TypeInfoDispatch::FindMember(DISPID id, WORD flags) const {
  // INVOKEKIND and the DISPATCH_ flags share their bit values.
  for (const Member& member : members_) {
    if (member.id == id && (member.kind & flags) != 0) return &member;
  }
  return nullptr;
}

HRESULT TypeInfoDispatch::GetTypeInfoCount(UINT* count) const {
  if (count == nullptr) return E_POINTER;
  *count = dispatchInfo_ != nullptr ? 1 : 0;
  return S_OK;
}

HRESULT TypeInfoDispatch::GetTypeInfo(UINT index, ITypeInfo** info) const {
  if (info == nullptr) return E_POINTER;
  *info = nullptr;
  if (index != 0 || dispatchInfo_ == nullptr) return DISP_E_BADINDEX;
  dispatchInfo_->AddRef();
  *info = dispatchInfo_;
  return S_OK;
}

HRESULT TypeInfoDispatch::GetIDsOfNames(REFIID interfaceId, LPOLESTR* names, UINT count,
                                        DISPID* ids) const {
  if (!IsEqualIID(interfaceId, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  if (names == nullptr || ids == nullptr) return E_POINTER;
  if (interfaceInfo_ == nullptr) return E_UNEXPECTED;
  return DispGetIDsOfNames(interfaceInfo_, names, count, ids);
}

HRESULT TypeInfoDispatch::Invoke(void* instance, DISPID id, REFIID interfaceId, WORD flags,
                                 DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                 UINT* argumentError) const {
  if (!IsEqualIID(interfaceId, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  if (params == nullptr) return E_POINTER;
  if ((params->cArgs != 0 && params->rgvarg == nullptr) || params->cNamedArgs > params->cArgs ||
      (params->cNamedArgs != 0 && params->rgdispidNamedArgs == nullptr)) {
    return E_INVALIDARG;  // a list that does not hold what it says
  }
  if (interfaceInfo_ == nullptr) return E_UNEXPECTED;

  try {
    ReferenceArguments arguments(params);
    if (const Member* member = FindMember(id, flags)) {
      const HRESULT accepted = arguments.Check(*member, argumentError);
      if (FAILED(accepted)) return accepted;
      const HRESULT rewrapped = arguments.Rewrap(*member, argumentError);
      if (FAILED(rewrapped)) return rewrapped;
    }
    const HRESULT invoked = interfaceInfo_->Invoke(instance, id, flags, arguments.Params(),
                                                   result, exception, argumentError);
    // The member ran (and may have written its by-reference arguments) when it
    // succeeded or raised its own error.
    if (SUCCEEDED(invoked) || invoked == DISP_E_EXCEPTION) arguments.CopyBack();
    return invoked;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;  // nothing may cross into the caller
  }
}

}  // namespace pelikar::com
