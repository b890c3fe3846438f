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

// A library as lines: each type with its attributes, then each member (dispatch
// identifier, kind, slot, flags, result, names, parameters with their passing and
// defaults, help string) and each implemented type.
std::vector<std::string> Lines(ITypeLib* library) {
  std::vector<std::string> lines;
  for (UINT index = 0; index < library->GetTypeInfoCount(); ++index) {
    ITypeInfo* info = nullptr;
    TYPEATTR* type = nullptr;
    BSTR name = nullptr;
    library->GetTypeInfo(index, &info);
    info->GetTypeAttr(&type);
    library->GetDocumentation(static_cast<INT>(index), &name, nullptr, nullptr, nullptr);
    lines.push_back(Text(name) + " " + Narrow(GuidText(type->guid)) + " kind" + std::to_string(type->typekind) +
                    " flags" + std::to_string(type->wTypeFlags));
    FUNCDESC* function = nullptr;
    for (UINT i = 0; info->GetFuncDesc(i, &function) == S_OK; ++i) {
      std::string text = "  member " + std::to_string(function->memid) + " kind" + std::to_string(function->invkind) +
                         " slot" + std::to_string(function->oVft) + " flags" + std::to_string(function->wFuncFlags) +
                         " returns " + TypeText(function->elemdescFunc.tdesc) + ":";
      BSTR names[32] = {};
      UINT count = 0;
      info->GetNames(function->memid, names, 32, &count);
      for (UINT n = 0; n < count; ++n) text += " " + Text(names[n]);
      for (SHORT p = 0; p < function->cParams; ++p) {
        const ELEMDESC& parameter = function->lprgelemdescParam[p];
        text += ", " + TypeText(parameter.tdesc) + " flags" + std::to_string(parameter.paramdesc.wParamFlags);
        VARIANT value;
        VariantInit(&value);
        if ((parameter.paramdesc.wParamFlags & PARAMFLAG_FHASDEFAULT) &&
            SUCCEEDED(VariantChangeType(&value, &parameter.paramdesc.pparamdescex->varDefaultValue, 0, VT_BSTR))) {
          text += " = " + Text(V_BSTR(&value));
        }
      }
      BSTR help = nullptr;
      info->GetDocumentation(function->memid, nullptr, &help, nullptr, nullptr);
      lines.push_back(text + " \"" + Text(help) + "\"");
      info->ReleaseFuncDesc(function);
    }
    HREFTYPE reference = 0;
    ITypeInfo* implemented = nullptr;
    for (UINT i = 0; info->GetRefTypeOfImplType(i, &reference) == S_OK; ++i) {
      INT flags = 0;
      info->GetImplTypeFlags(i, &flags);
      info->GetRefTypeInfo(reference, &implemented);
      implemented->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr);
      lines.push_back("  implements " + Text(name) + " flags" + std::to_string(flags));
      implemented->Release();
    }
    info->ReleaseTypeAttr(type);
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
  TLIBATTR* attributes = nullptr;
  ASSERT_EQ(registered->GetLibAttr(&attributes), S_OK);
  EXPECT_EQ(attributes->syskind, sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32);
  EXPECT_EQ(attributes->wMajorVerNum * 10 + attributes->wMinorVerNum, 10) << "version 1.0";
  registered->ReleaseTLibAttr(attributes);

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
