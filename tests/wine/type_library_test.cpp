// The type library a client finds through the registry is the control's contract with
// its hosts. It must say what the IDL says, member by member (names, dispatch
// identifiers, slots, parameter types, passing and defaults, flags, the classes and
// their interfaces), as the IDL compiler's own output does; and beyond that, hold real
// line breaks in the property descriptions, and be what the control's IDispatch
// answers by.
#include <windows.h>
#include <oleauto.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "control_test.h"
#include "ocx_module.h"

namespace pelikar::com_tests {
namespace {

std::string Text(BSTR text) {
  std::string narrow = Narrow(text != nullptr ? std::wstring(text, SysStringLen(text)) : L"");
  SysFreeString(text);
  return narrow;
}

std::string TypeText(const TYPEDESC& type) {
  if (type.vt == VT_PTR || type.vt == VT_SAFEARRAY) return TypeText(*type.lptdesc) + "*";
  return "vt" + std::to_string(type.vt);
}

std::string ParameterText(const ELEMDESC& element) {
  const PARAMDESC& parameter = element.paramdesc;
  std::string text = TypeText(element.tdesc) + " flags" + std::to_string(parameter.wParamFlags);
  VARIANT value;
  VariantInit(&value);
  if ((parameter.wParamFlags & PARAMFLAG_FHASDEFAULT) && parameter.pparamdescex != nullptr &&
      SUCCEEDED(VariantChangeType(&value, &parameter.pparamdescex->varDefaultValue, 0, VT_BSTR))) {
    text += " = " + Text(V_BSTR(&value));
  }
  return text;
}

std::string FunctionText(ITypeInfo* info, const FUNCDESC& function) {
  std::string text = "member " + std::to_string(function.memid) + " kind" +
                     std::to_string(function.invkind) + " call" +
                     std::to_string(function.callconv) + " slot" + std::to_string(function.oVft) +
                     " flags" + std::to_string(function.wFuncFlags) + " returns " +
                     TypeText(function.elemdescFunc.tdesc) + ":";
  BSTR names[32] = {};
  UINT count = 0;
  info->GetNames(function.memid, names, 32, &count);
  for (UINT i = 0; i < count; ++i) text += " " + Text(names[i]);
  for (SHORT i = 0; i < function.cParams; ++i) {
    text += ", " + ParameterText(function.lprgelemdescParam[i]);
  }
  BSTR help = nullptr;
  info->GetDocumentation(function.memid, nullptr, &help, nullptr, nullptr);
  return text + " \"" + Text(help) + "\"";
}

// A library as lines: each type with its attributes, members and implemented types.
std::vector<std::string> Lines(ITypeLib* library) {
  std::vector<std::string> lines;
  TLIBATTR* libraryAttributes = nullptr;
  library->GetLibAttr(&libraryAttributes);
  BSTR name = nullptr;
  library->GetDocumentation(-1, &name, nullptr, nullptr, nullptr);
  lines.push_back(Text(name) + " " + Narrow(GuidText(libraryAttributes->guid)) + " " +
                  std::to_string(libraryAttributes->wMajorVerNum) + "." +
                  std::to_string(libraryAttributes->wMinorVerNum) + " system" +
                  std::to_string(libraryAttributes->syskind));
  library->ReleaseTLibAttr(libraryAttributes);
  for (UINT index = 0; index < library->GetTypeInfoCount(); ++index) {
    ITypeInfo* info = nullptr;
    if (FAILED(library->GetTypeInfo(index, &info))) continue;
    TYPEATTR* attributes = nullptr;
    info->GetTypeAttr(&attributes);
    library->GetDocumentation(static_cast<INT>(index), &name, nullptr, nullptr, nullptr);
    lines.push_back(Text(name) + " " + Narrow(GuidText(attributes->guid)) + " kind" +
                    std::to_string(attributes->typekind) + " flags" +
                    std::to_string(attributes->wTypeFlags) + " functions" +
                    std::to_string(attributes->cFuncs) + " variables" +
                    std::to_string(attributes->cVars));
    for (UINT i = 0; i < attributes->cFuncs; ++i) {
      FUNCDESC* function = nullptr;
      info->GetFuncDesc(i, &function);
      lines.push_back("  " + FunctionText(info, *function));
      info->ReleaseFuncDesc(function);
    }
    for (UINT i = 0; i < attributes->cImplTypes; ++i) {
      INT flags = 0;
      HREFTYPE reference = 0;
      ITypeInfo* implemented = nullptr;
      info->GetImplTypeFlags(i, &flags);
      info->GetRefTypeOfImplType(i, &reference);
      if (FAILED(info->GetRefTypeInfo(reference, &implemented))) continue;
      implemented->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr);
      lines.push_back("  implements " + Text(name) + " flags" + std::to_string(flags));
      implemented->Release();
    }
    info->ReleaseTypeAttr(attributes);
    info->Release();
  }
  return lines;
}

TEST(TypeLibrary, TheRegisteredLibrarySaysWhatTheIdlSays) {
  ITypeLib* registered = nullptr;
  ASSERT_EQ(LoadRegTypeLib(kPelikarLibrary, 1, 0, LOCALE_NEUTRAL, &registered), S_OK);
  // The IDL compiler's output lies beside the control it went into.
  const std::wstring ocx = OcxPath();
  const std::wstring compiledPath = ocx.substr(0, ocx.find_last_of(L"\\/") + 1) +
                                    L"pelikar_marked.tlb";
  ITypeLib* compiled = nullptr;
  ASSERT_EQ(LoadTypeLibEx(compiledPath.c_str(), REGKIND_NONE, &compiled), S_OK);
  std::vector<std::string> lines = Lines(registered);
  const std::vector<std::string> expected = Lines(compiled);
  compiled->Release();
  // The IDL compiler keeps no line break: the build marks them "\n" and puts CR LF back.
  int lineBreaks = 0;
  for (std::string& line : lines) {
    for (std::size_t at = line.find("\r\n"); at != std::string::npos; at = line.find("\r\n")) {
      line.replace(at, 2, "\\n");
      ++lineBreaks;
    }
  }
  EXPECT_EQ(lines, expected);
  EXPECT_EQ(lineBreaks, 2 * (1 + 1 + 1 + 7)) << "Farsi, CodePage, MultiLine, Environment";
  EXPECT_EQ(lines.front(), "PelikarLib " + Narrow(GuidText(kPelikarLibrary)) + " 1.0 system" +
                               std::to_string(sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32));

  // The control answers names by the library's identifiers, any case.
  OcxModule module;
  IClassFactory* factory = nullptr;
  IDispatch* control = nullptr;
  ASSERT_EQ(module.GetClassObject(kPelikarClass, IID_IClassFactory,
                                  reinterpret_cast<void**>(&factory)), S_OK);
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&control)),
            S_OK);
  factory->Release();
  ITypeInfo* info = nullptr;
  ASSERT_EQ(registered->GetTypeInfoOfGuid(kPelikarInterface, &info), S_OK);
  TYPEATTR* attributes = nullptr;
  ASSERT_EQ(info->GetTypeAttr(&attributes), S_OK);
  for (UINT i = 0; i < attributes->cFuncs; ++i) {
    FUNCDESC* function = nullptr;
    ASSERT_EQ(info->GetFuncDesc(i, &function), S_OK);
    BSTR name = nullptr;
    UINT count = 0;
    info->GetNames(function->memid, &name, 1, &count);
    CharUpperW(name);
    DISPID id = 0;
    EXPECT_EQ(control->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id), S_OK);
    EXPECT_EQ(id, function->memid) << Text(name);
    info->ReleaseFuncDesc(function);
  }
  info->ReleaseTypeAttr(attributes);
  info->Release();
  EXPECT_EQ(control->Release(), 0u);
  registered->Release();
}

}  // namespace
}  // namespace pelikar::com_tests
