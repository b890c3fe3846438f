#pragma once
// IDispatch for a dual interface, driven by its type information: names and
// dispatch identifiers from the type library, calls through its vtable.
//
// Script engines pass a variable by reference as VT_BYREF|VT_VARIANT. For a
// parameter declared as a typed reference ([in, out] short* and the like) the
// automation runtime would answer Type mismatch, so Invoke re-wraps such an argument
// as a reference of the declared type to a coerced temporary and copies the result
// back into the caller's variable after the call. Typed references from compiled
// clients (VT_BYREF|VT_I2...) pass through untouched.
//
// Before anything runs, Invoke refuses what the member cannot take, as Windows'
// automation runtime does and Wine's does not always: more arguments than parameters
// (DISP_E_BADPARAMCOUNT), a value that does not convert to its parameter's type
// (DISP_E_TYPEMISMATCH with the argument named), and a number no integer parameter
// holds: NaN, an infinity or one outside the type's range (DISP_E_OVERFLOW).
#include <windows.h>
#include <oleauto.h>

#include <vector>

namespace pelikar::com {

class TypeInfoDispatch {
 public:
  TypeInfoDispatch() = default;
  TypeInfoDispatch(const TypeInfoDispatch&) = delete;
  TypeInfoDispatch& operator=(const TypeInfoDispatch&) = delete;
  ~TypeInfoDispatch();

  // Loads the type information of the dual interface from the module's library.
  HRESULT Load(REFIID dualInterface);

  HRESULT GetTypeInfoCount(UINT* count) const;
  HRESULT GetTypeInfo(UINT index, ITypeInfo** info) const;
  HRESULT GetIDsOfNames(REFIID interfaceId, LPOLESTR* names, UINT count, DISPID* ids) const;
  // instance is the object's pointer of the dual interface (its vtable is called).
  HRESULT Invoke(void* instance, DISPID id, REFIID interfaceId, WORD flags, DISPPARAMS* params,
                 VARIANT* result, EXCEPINFO* exception, UINT* argumentError) const;

  // A parameter's declared type when it is a plain value (a number, a date, a string
  // or a Boolean), VT_EMPTY for variants and objects; and whether it is passed by
  // reference.
  struct Parameter {
    VARTYPE type;
    bool reference;
  };
  struct Member {
    MEMBERID id;
    INVOKEKIND kind;
    std::vector<Parameter> parameters;  // without the return value
  };

 private:
  HRESULT ReadMembers();
  const Member* FindMember(DISPID id, WORD flags) const;

  ITypeInfo* dispatchInfo_ = nullptr;  // what GetTypeInfo hands out
  ITypeInfo* interfaceInfo_ = nullptr;  // the vtable half, used for calls
  std::vector<Member> members_;
};

}  // namespace pelikar::com
