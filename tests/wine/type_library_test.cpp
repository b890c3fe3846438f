// The type library embedded in the .ocx is the control's contract with its hosts:
// names, slot order, parameter passing and dispatch identifiers of all 46 members,
// the property descriptions, and the classes.
#include <windows.h>
#include <oleauto.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dispatch_client.h"
#include "ocx_module.h"

namespace pelikar::com_tests {
namespace {

// _Pelikar in slot order, as "id name(parameters) -> result". A parameter passed by
// reference is "T& Name", an optional one shows its default. A property put shows
// no parameter name: GetNames answers for a property with the names of its get.
const char* const kMembers[] = {
    "1 get Farsi() -> VARIANT_BOOL",
    "1 put Farsi(VARIANT_BOOL)",
    "2 get CodePage() -> VARIANT",
    "2 put CodePage(VARIANT)",
    "3 FarsiDown(IDispatch* YourObject, short KeyCode, short Shift) -> VARIANT_BOOL",
    "4 FarsiPress(IDispatch* YourObject, short& KeyAscii) -> VARIANT_BOOL",
    "5 Shamsi_To_Miladi(BSTR ShamsStr) -> BSTR",
    "6 Miladi_To_Shamsi(BSTR MiladStr) -> BSTR",
    "7 Reverse(BSTR YourStr) -> BSTR",
    "8 InstallFont(BSTR FontName) -> VARIANT_BOOL",
    "9 get MultiLine() -> VARIANT_BOOL",
    "9 put MultiLine(VARIANT_BOOL)",
    "10 En_Ir_To_nivo(BSTR YourStr) -> BSTR",
    "11 En_To_Ir(BSTR YourStr) -> BSTR",
    "12 En_Ir_FileToNivo(BSTR Input_File, BSTR Output_file) -> VARIANT_BOOL",
    "13 ToolTip(BSTR TipStr, short& Button = 0) -> VARIANT_BOOL",
    "14 Message(BSTR Prompt, short Buttons, BSTR Title, short Alignment) -> short",
    "15 Message2(BSTR Prompt, short Buttons, BSTR Title, short Alignment, short X, short Y)"
    " -> short",
    "16 NivoFarsiChar(short Position) -> BSTR",
    "17 KeyBoard(BSTR Caption, BSTR Text) -> BSTR",
    "18 KeyBoard2(BSTR Caption, BSTR Text, short X, short Y) -> BSTR",
    "19 Nivo_To_En(BSTR YourStr) -> BSTR",
    "20 Animate(IDispatch* YourLabel, short Effect, float Speed, short& Min = 0,"
    " short& Max = 0) -> VARIANT_BOOL",
    "21 WinPath() -> BSTR",
    "22 WinSysPath() -> BSTR",
    "23 Delay(float Second) -> VARIANT_BOOL",
    "24 DriveType(BSTR DrivePath) -> long",
    "25 CdDrive() -> BSTR",
    "26 DayOfWeek(BSTR ShamsiStr) -> BSTR",
    "27 MonthOfYear(BSTR ShamsiStr) -> BSTR",
    "28 SpellNum(double YourNumber) -> BSTR",
    "29 SystemDate() -> BSTR",
    "30 SpellDate(BSTR ShamsiStr) -> BSTR",
    "31 VolLabel(BSTR DriveName) -> BSTR",
    "32 DirExist(BSTR DirName) -> VARIANT_BOOL",
    "33 FileExist(BSTR FileName) -> VARIANT_BOOL",
    "34 StrToAscStr(BSTR YourStr) -> BSTR",
    "35 AscStrToStr(BSTR YourStr) -> BSTR",
    "36 ShapeOval(IDispatch* YourForm, long X1, long Y1, long X2, long Y2) -> long",
    "37 ShapeRect(IDispatch* YourForm, long X1, long Y1, long X2, long Y2, long X3, long Y3)"
    " -> long",
    "38 Reserved(unsigned char YourAttrib) -> BSTR",
    "39 DecToBin(unsigned char DecNum) -> BSTR",
    "40 BinToDec(BSTR BinStr) -> unsigned char",
    "41 PrintText(BSTR TextStr, BSTR FontStr, short SizeNum, VARIANT_BOOL TxtBold,"
    " unsigned char& PrintAttrib = 0) -> VARIANT_BOOL",
    "42 get Environment() -> VARIANT",
    "42 put Environment(VARIANT)",
};


std::string TypeName(const TYPEDESC& type) {
  switch (type.vt) {
    case VT_BOOL: return "VARIANT_BOOL";
    case VT_BSTR: return "BSTR";
    case VT_I2: return "short";
    case VT_I4: return "long";
    case VT_UI1: return "unsigned char";
    case VT_R4: return "float";
    case VT_R8: return "double";
    case VT_VARIANT: return "VARIANT";
    case VT_DISPATCH: return "IDispatch*";
    case VT_PTR: return TypeName(*type.lptdesc) + "*";
    default: return "vt" + std::to_string(type.vt);
  }
}

std::string DefaultOf(const PARAMDESC& parameter) {
  if (!(parameter.wParamFlags & PARAMFLAG_FHASDEFAULT) || parameter.pparamdescex == nullptr) {
    return "?";
  }
  VARIANT text;
  VariantInit(&text);
  if (FAILED(VariantChangeType(&text, &parameter.pparamdescex->varDefaultValue, 0, VT_BSTR))) {
    return "?";
  }
  std::string result = Narrow(std::wstring(V_BSTR(&text), SysStringLen(V_BSTR(&text))));
  VariantClear(&text);
  return result;
}

std::string Parameter(const ELEMDESC& element, const std::string& name) {
  const USHORT flags = element.paramdesc.wParamFlags;
  const USHORT direction = flags & (PARAMFLAG_FIN | PARAMFLAG_FOUT);
  std::string text;
  if (element.tdesc.vt == VT_PTR && direction == (PARAMFLAG_FIN | PARAMFLAG_FOUT)) {
    text = TypeName(*element.tdesc.lptdesc) + "& " + name;
  } else if (direction == PARAMFLAG_FIN) {
    text = TypeName(element.tdesc) + (name.empty() ? "" : " " + name);
  } else {
    text = "[flags " + std::to_string(flags) + "] " + TypeName(element.tdesc) + " " + name;
  }
  if (flags & PARAMFLAG_FOPT) text += " = " + DefaultOf(element.paramdesc);
  return text;
}

// One member of the vtable half of _Pelikar as a line of kMembers.
std::string Render(ITypeInfo* info, const FUNCDESC& function) {
  BSTR names[16] = {};
  UINT count = 0;
  info->GetNames(function.memid, names, 16, &count);
  std::vector<std::wstring> nameList;
  for (UINT i = 0; i < count; ++i) {
    nameList.emplace_back(names[i], SysStringLen(names[i]));
    SysFreeString(names[i]);
  }
  std::string line = std::to_string(function.memid) + " ";
  if (function.invkind == INVOKE_PROPERTYGET) line += "get ";
  if (function.invkind == INVOKE_PROPERTYPUT) line += "put ";
  line += Narrow(nameList.empty() ? L"?" : nameList[0]) + "(";

  SHORT parameters = function.cParams;
  std::string result;
  if (parameters > 0) {
    const ELEMDESC& last = function.lprgelemdescParam[parameters - 1];
    if ((last.paramdesc.wParamFlags & (PARAMFLAG_FOUT | PARAMFLAG_FRETVAL)) ==
            (PARAMFLAG_FOUT | PARAMFLAG_FRETVAL) &&
        last.tdesc.vt == VT_PTR) {
      result = " -> " + TypeName(*last.tdesc.lptdesc);
      --parameters;
    }
  }
  for (SHORT i = 0; i < parameters; ++i) {
    if (i > 0) line += ", ";
    const std::size_t nameIndex = static_cast<std::size_t>(i) + 1;
    std::string name = nameIndex < nameList.size() ? Narrow(nameList[nameIndex]) : "?";
    if (function.invkind == INVOKE_PROPERTYPUT) name.clear();
    line += Parameter(function.lprgelemdescParam[i], name);
  }
  return line + ")" + result;
}

class TypeLibrary : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(LoadTypeLibEx(OcxPath().c_str(), REGKIND_NONE, &library_), S_OK);
  }
  void TearDown() override {
    if (library_ != nullptr) library_->Release();
  }

  ITypeInfo* Info(REFGUID guid) {
    ITypeInfo* info = nullptr;
    EXPECT_EQ(library_->GetTypeInfoOfGuid(guid, &info), S_OK);
    infos_.emplace_back(info);
    return info;
  }

  // The vtable half of the dual interface.
  ITypeInfo* VtableInfo() {
    ITypeInfo* dispatch = Info(kPelikarInterface);
    HREFTYPE reference = 0;
    EXPECT_EQ(dispatch->GetRefTypeOfImplType(static_cast<UINT>(-1), &reference), S_OK);
    ITypeInfo* info = nullptr;
    EXPECT_EQ(dispatch->GetRefTypeInfo(reference, &info), S_OK);
    infos_.emplace_back(info);
    return info;
  }

  static WORD Flags(ITypeInfo* info, TYPEKIND* kind = nullptr, WORD* functions = nullptr) {
    TYPEATTR* attributes = nullptr;
    if (FAILED(info->GetTypeAttr(&attributes))) return 0;
    const WORD flags = attributes->wTypeFlags;
    if (kind != nullptr) *kind = attributes->typekind;
    if (functions != nullptr) *functions = attributes->cFuncs;
    info->ReleaseTypeAttr(attributes);
    return flags;
  }

  ITypeLib* library_ = nullptr;

 private:
  struct Release {
    void operator()(ITypeInfo* info) const {
      if (info != nullptr) info->Release();
    }
  };
  std::vector<std::unique_ptr<ITypeInfo, Release>> infos_;
};

TEST_F(TypeLibrary, IdentifiesItself) {
  TLIBATTR* attributes = nullptr;
  ASSERT_EQ(library_->GetLibAttr(&attributes), S_OK);
  EXPECT_TRUE(IsEqualGUID(attributes->guid, kPelikarLibrary));
  EXPECT_EQ(attributes->wMajorVerNum, 1);
  EXPECT_EQ(attributes->wMinorVerNum, 0);
  EXPECT_EQ(attributes->syskind, sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32);
  library_->ReleaseTLibAttr(attributes);
  BSTR name = nullptr;
  ASSERT_EQ(library_->GetDocumentation(-1, &name, nullptr, nullptr, nullptr), S_OK);
  EXPECT_STREQ(name, L"PelikarLib");
  SysFreeString(name);
}

TEST_F(TypeLibrary, MembersInSlotOrder) {
  ITypeInfo* info = VtableInfo();
  TYPEKIND kind{};
  WORD functions = 0;
  Flags(info, &kind, &functions);
  ASSERT_EQ(kind, TKIND_INTERFACE);
  ASSERT_EQ(functions, std::size(kMembers));
  for (UINT index = 0; index < functions; ++index) {
    FUNCDESC* function = nullptr;
    ASSERT_EQ(info->GetFuncDesc(index, &function), S_OK);
    EXPECT_EQ(Render(info, *function), kMembers[index]) << "slot " << index + 1;
    // After the seven slots of IUnknown and IDispatch, one slot per member.
    EXPECT_EQ(function->oVft, static_cast<SHORT>((7 + index) * sizeof(void*)));
    EXPECT_EQ(function->elemdescFunc.tdesc.vt, VT_HRESULT);
    EXPECT_EQ(function->callconv, CC_STDCALL);
    info->ReleaseFuncDesc(function);
  }
}

TEST_F(TypeLibrary, NamesFindTheirDispatchIdentifiers) {
  ITypeInfo* info = Info(kPelikarInterface);
  const struct {
    const wchar_t* name;
    MEMBERID id;
  } cases[] = {{L"Farsi", 1},        {L"codepage", 2},       {L"FARSIPRESS", 4},
               {L"En_Ir_To_nivo", 10}, {L"nivofarsichar", 16}, {L"Environment", 42},
               {L"Reserved", 38}};
  for (const auto& testCase : cases) {
    LPOLESTR name = const_cast<LPOLESTR>(testCase.name);
    MEMBERID id = 0;
    EXPECT_EQ(info->GetIDsOfNames(&name, 1, &id), S_OK) << Narrow(testCase.name);
    EXPECT_EQ(id, testCase.id) << Narrow(testCase.name);
  }
}

TEST_F(TypeLibrary, PropertyDescriptionsKeepTheirLineBreaks) {
  ITypeInfo* info = Info(kPelikarInterface);
  const struct {
    MEMBERID id;
    const wchar_t* text;
  } cases[] = {
      {1, L"True   For farsi Input\r\nFalse  For English Input"},
      {2, L"0  Nivo\r\n1  IranSystem"},
      {9, L"True   MultiLine Act In Other Controls\r\n"
          L"False  MultiLine Do not Act In Other Controls"},
      {42, L"0 Visual Basic \r\n1 Access\r\n2 Delphi\r\n3 Visual C\r\n4 Visual Fox\r\n"
           L"5 Other1\r\n6 Other2\r\n7 Other3"},
  };
  for (const auto& testCase : cases) {
    BSTR text = nullptr;
    ASSERT_EQ(info->GetDocumentation(testCase.id, nullptr, &text, nullptr, nullptr), S_OK);
    EXPECT_EQ(std::wstring(text, SysStringLen(text)), testCase.text) << "member " << testCase.id;
    SysFreeString(text);
  }
}

TEST_F(TypeLibrary, InterfaceIsDualHiddenAndNonextensible) {
  TYPEKIND kind{};
  const WORD dispatchFlags = Flags(Info(kPelikarInterface), &kind);
  EXPECT_EQ(kind, TKIND_DISPATCH);
  for (WORD flag : {TYPEFLAG_FDUAL, TYPEFLAG_FNONEXTENSIBLE, TYPEFLAG_FHIDDEN,
                    TYPEFLAG_FDISPATCHABLE}) {
    EXPECT_TRUE(dispatchFlags & flag) << "dispatch half, type flag " << flag;
  }
  const WORD vtableFlags = Flags(VtableInfo(), &kind);
  EXPECT_EQ(kind, TKIND_INTERFACE);
  for (WORD flag : {TYPEFLAG_FDUAL, TYPEFLAG_FOLEAUTOMATION, TYPEFLAG_FHIDDEN}) {
    EXPECT_TRUE(vtableFlags & flag) << "vtable half, type flag " << flag;
  }
}

TEST_F(TypeLibrary, ClassOffersTheInterfaceAndAnEmptyEventSource) {
  ITypeInfo* coclass = Info(kPelikarClass);
  TYPEKIND kind{};
  const WORD flags = Flags(coclass, &kind);
  EXPECT_EQ(kind, TKIND_COCLASS);
  EXPECT_TRUE(flags & TYPEFLAG_FCONTROL);
  EXPECT_TRUE(flags & TYPEFLAG_FCANCREATE);

  const struct {
    UINT index;
    const IID* interfaceId;
    int implFlags;
  } implemented[] = {
      {0, &kPelikarInterface, IMPLTYPEFLAG_FDEFAULT},
      {1, &kPelikarEvents, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE},
  };
  for (const auto& expected : implemented) {
    INT implFlags = 0;
    ASSERT_EQ(coclass->GetImplTypeFlags(expected.index, &implFlags), S_OK);
    EXPECT_EQ(implFlags, expected.implFlags);
    HREFTYPE reference = 0;
    ITypeInfo* interfaceInfo = nullptr;
    ASSERT_EQ(coclass->GetRefTypeOfImplType(expected.index, &reference), S_OK);
    ASSERT_EQ(coclass->GetRefTypeInfo(reference, &interfaceInfo), S_OK);
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(interfaceInfo->GetTypeAttr(&attributes), S_OK);
    EXPECT_TRUE(IsEqualIID(attributes->guid, *expected.interfaceId)) << "interface "
                                                                      << expected.index;
    interfaceInfo->ReleaseTypeAttr(attributes);
    interfaceInfo->Release();
  }

  TYPEKIND eventsKind{};
  WORD events = 99;
  Flags(Info(kPelikarEvents), &eventsKind, &events);
  EXPECT_EQ(eventsKind, TKIND_DISPATCH);
  EXPECT_EQ(events, 0) << "the control raises no events";
}

TEST_F(TypeLibrary, PropertyPageClassHasAMemberlessInterface) {
  TYPEKIND kind{};
  Flags(Info(kPropertyPageClass), &kind);
  EXPECT_EQ(kind, TKIND_COCLASS);
  WORD functions = 99;
  Flags(Info(kPropertyPageInterface), &kind, &functions);
  EXPECT_EQ(kind, TKIND_DISPATCH);
  EXPECT_EQ(functions, 0);
}

}  // namespace
}  // namespace pelikar::com_tests
