// The type library a client finds through the registry is the control's contract with
// its hosts. It must say what the IDL says, member by member (names, dispatch
// identifiers, slots, parameter types, passing and defaults, flags, the classes and
// their interfaces), as the IDL compiler's own output does, and beyond that hold real
// line breaks in the property descriptions.
#include <windows.h>
#include <oleauto.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dispatch_client.h"

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

std::string FunctionText(ITypeInfo* info, const FUNCDESC& function) {
  std::string text = "member " + std::to_string(function.memid) + " kind" +
                     std::to_string(function.invkind) + " call" + std::to_string(function.callconv) +
                     " slot" + std::to_string(function.oVft) + " flags" +
                     std::to_string(function.wFuncFlags) + " returns " +
                     TypeText(function.elemdescFunc.tdesc) + ":";
  BSTR names[32] = {};
  UINT count = 0;
  info->GetNames(function.memid, names, 32, &count);
  for (UINT i = 0; i < count; ++i) text += " " + Text(names[i]);
  for (SHORT i = 0; i < function.cParams; ++i) {
    const PARAMDESC& parameter = function.lprgelemdescParam[i].paramdesc;
    text += ", " + TypeText(function.lprgelemdescParam[i].tdesc) + " flags" +
            std::to_string(parameter.wParamFlags);
    VARIANT value;
    VariantInit(&value);
    if ((parameter.wParamFlags & PARAMFLAG_FHASDEFAULT) &&
        SUCCEEDED(VariantChangeType(&value, &parameter.pparamdescex->varDefaultValue, 0, VT_BSTR))) {
      text += " = " + Text(V_BSTR(&value));
    }
  }
  BSTR help = nullptr;
  info->GetDocumentation(function.memid, nullptr, &help, nullptr, nullptr);
  return text + " \"" + Text(help) + "\"";
}

// A library as lines: each type with its attributes, members and implemented types.
std::vector<std::string> Lines(ITypeLib* library) {
  TLIBATTR* libraryAttributes = nullptr;
  library->GetLibAttr(&libraryAttributes);
  BSTR name = nullptr;
  library->GetDocumentation(-1, &name, nullptr, nullptr, nullptr);
  std::vector<std::string> lines = {
      Text(name) + " " + Narrow(GuidText(libraryAttributes->guid)) + " " +
      std::to_string(libraryAttributes->wMajorVerNum) + "." +
      std::to_string(libraryAttributes->wMinorVerNum) + " system" +
      std::to_string(libraryAttributes->syskind)};
  library->ReleaseTLibAttr(libraryAttributes);
  for (UINT index = 0; index < library->GetTypeInfoCount(); ++index) {
    ITypeInfo* info = nullptr;
    library->GetTypeInfo(index, &info);
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
  const std::wstring compiledPath =
      OcxPath().substr(0, OcxPath().find_last_of(L"\\/") + 1) + L"pelikar_marked.tlb";
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

  ITypeInfo* info = nullptr;
  ASSERT_EQ(registered->GetTypeInfoOfGuid(kPelikarInterface, &info), S_OK);
  registered->Release();
  std::string identifiers;
  FUNCDESC* function = nullptr;
  for (UINT i = 0; info->GetFuncDesc(i, &function) == S_OK; ++i) {
    BSTR name = nullptr;
    info->GetDocumentation(function->memid, &name, nullptr, nullptr, nullptr);
    const std::string entry = Text(name) + "=" + std::to_string(function->memid) + " ";
    if (function->memid < 0x60000000 && identifiers.find(entry) == std::string::npos) {
      identifiers += entry;  // a property's get and put once
    }
    info->ReleaseFuncDesc(function);
  }
  info->Release();
  // Compiled clients hold the dispatch identifiers of version 1.0: they never change.
  EXPECT_EQ(identifiers,
            "Farsi=1 CodePage=2 FarsiDown=3 FarsiPress=4 Shamsi_To_Miladi=5 Miladi_To_Shamsi=6 "
            "Reverse=7 InstallFont=8 MultiLine=9 En_Ir_To_nivo=10 En_To_Ir=11 En_Ir_FileToNivo=12 "
            "ToolTip=13 Message=14 Message2=15 NivoFarsiChar=16 KeyBoard=17 KeyBoard2=18 "
            "Nivo_To_En=19 Animate=20 WinPath=21 WinSysPath=22 Delay=23 DriveType=24 CdDrive=25 "
            "DayOfWeek=26 MonthOfYear=27 SpellNum=28 SystemDate=29 SpellDate=30 VolLabel=31 "
            "DirExist=32 FileExist=33 StrToAscStr=34 AscStrToStr=35 ShapeOval=36 ShapeRect=37 "
            "Reserved=38 DecToBin=39 BinToDec=40 PrintText=41 Environment=42 ");
}

}  // namespace
}  // namespace pelikar::com_tests
