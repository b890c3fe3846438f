// The module as clients find it: what registration writes and removes, the type
// library against the IDL compiler's output, how long the module stays loaded, the
// vtable, where script clients (client.vbs) cannot look, and two apartments at once.
#include <windows.h>
#include <ocidl.h>
#include <oleauto.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "control_test.h"
#include "pelikar_h.h"
#include "test_object.h"

namespace pelikar::com_tests {
namespace {

// DllRegisterServer writes every key a container and a script client look for, as
// often as it is called; DllUnregisterServer removes them all, after which the control
// cannot be created. (What the keys hold, value for value, the install test compares
// with what the packages write.)

bool KeyExists(const std::wstring& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

// The default value of the key, in lower case (paths compare without regard to case).
std::wstring ReadValue(const std::wstring& key) {
  wchar_t data[1024] = L"(none)";
  DWORD size = sizeof data;
  RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, data, &size);
  return CharLowerW(data);
}

HRESULT Create(REFCLSID classId) {
  IUnknown* object = nullptr;
  const HRESULT result = CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                          reinterpret_cast<void**>(&object));
  if (object != nullptr) object->Release();
  return result;
}

// Registering twice writes every key once; unregistering twice removes them all but
// the library's entry for the control of the other architecture, when that one is
// registered (both builds' tests share one prefix). The control is left registered,
// as the other tests expect it.
TEST(Registration, WritesEveryKeyAndUnregisteringRemovesThemAll) {
  const std::wstring classKey = L"CLSID\\" + GuidText(kPelikarClass),
                     pageKey = L"CLSID\\" + GuidText(kPropertyPageClass),
                     libraryKey = L"TypeLib\\" + GuidText(kPelikarLibrary) + L"\\" PELIKAR_LIBRARY_VERSION L"\\0\\",
                     interfaceKey = L"Interface\\" + GuidText(kPelikarInterface),
                     eventsKey = L"Interface\\" + GuidText(kPelikarEvents);
  const std::wstring thisLibrary = libraryKey + (sizeof(void*) == 8 ? L"win64" : L"win32"),
                     otherLibrary = libraryKey + (sizeof(void*) == 8 ? L"win32" : L"win64");
  const std::vector<std::wstring> keys = {
      classKey + L"\\InprocServer32", classKey + L"\\ProgID", classKey + L"\\VersionIndependentProgID",
      classKey + L"\\TypeLib", classKey + L"\\Version", classKey + L"\\Control", classKey + L"\\Programmable",
      classKey + L"\\MiscStatus\\1", classKey + L"\\Implemented Categories\\{40FC6ED4-2438-11CF-A3DB-080036F12502}",
      pageKey + L"\\InprocServer32", L"PelikarLib.Pelikar\\CurVer", L"PelikarLib.Pelikar.1\\CLSID", thisLibrary,
      interfaceKey + L"\\ProxyStubClsid32", interfaceKey + L"\\TypeLib",
      eventsKey + L"\\ProxyStubClsid32"};
  OcxModule module;
  ASSERT_EQ(module.Server("DllRegisterServer"), S_OK);
  ASSERT_EQ(module.Server("DllRegisterServer"), S_OK);
  for (const std::wstring& key : keys) EXPECT_TRUE(KeyExists(key)) << "HKCR\\" << Narrow(key);
  std::wstring path = OcxPath();
  CharLowerW(path.data());
  for (const std::wstring& server : {classKey + L"\\InprocServer32", pageKey + L"\\InprocServer32", thisLibrary}) {
    EXPECT_EQ(ReadValue(server), path) << Narrow(server);
  }
  CLSID classId{};
  ASSERT_EQ(CLSIDFromProgID(L"PelikarLib.Pelikar", &classId), S_OK);
  EXPECT_TRUE(IsEqualCLSID(classId, kPelikarClass));
  EXPECT_EQ(Create(kPelikarClass), S_OK);
  EXPECT_EQ(Create(kPropertyPageClass), S_OK);

  const bool otherRegistered = KeyExists(otherLibrary);
  ASSERT_EQ(module.Server("DllUnregisterServer"), S_OK);
  EXPECT_EQ(module.Server("DllUnregisterServer"), S_OK) << "what is not registered";
  EXPECT_EQ(KeyExists(otherLibrary), otherRegistered) << "the other architecture's library entry stays";
  for (const std::wstring& key : {classKey, pageKey, std::wstring(L"PelikarLib.Pelikar"),
                                  std::wstring(L"PelikarLib.Pelikar.1"), interfaceKey, eventsKey, thisLibrary}) {
    EXPECT_FALSE(KeyExists(key)) << "HKCR\\" << Narrow(key);
  }
  EXPECT_EQ(Create(kPelikarClass), REGDB_E_CLASSNOTREG);
  EXPECT_EQ(Create(kPropertyPageClass), REGDB_E_CLASSNOTREG);
  EXPECT_EQ(module.Server("DllRegisterServer"), S_OK) << "the control is left unregistered";
}

// The type library a client finds through the registry is the control's contract
// with its hosts. The IDL compiler keeps no line break, so the build marks them and
// puts CR LF back into the compiled library in place: the property descriptions read
// with their line breaks. The dispatch identifiers never change.
TEST(TypeLibrary, TheRegisteredLibraryHasItsLineBreaksAndItsIdentifiers) {
  ITypeLib* registered = nullptr;
  ITypeInfo* info = nullptr;
  ASSERT_EQ(LoadRegTypeLib(kPelikarLibrary, 1, 0, LOCALE_NEUTRAL, &registered), S_OK);
  ASSERT_EQ(registered->GetTypeInfoOfGuid(kPelikarInterface, &info), S_OK);
  registered->Release();
  std::string identifiers;
  int lineBreaks = 0;
  FUNCDESC* function = nullptr;
  for (UINT i = 0; info->GetFuncDesc(i, &function) == S_OK; ++i) {
    BSTR name = nullptr, help = nullptr;
    info->GetDocumentation(function->memid, &name, &help, nullptr, nullptr);
    const std::string entry = Narrow(name) + "=" + std::to_string(function->memid) + " ";
    if (function->memid < 0x60000000 && identifiers.find(entry) == std::string::npos) {
      identifiers += entry;  // a property's get and put once
      for (const wchar_t* at = help; at != nullptr && (at = wcsstr(at, L"\r\n")) != nullptr; at += 2) ++lineBreaks;
    }
    SysFreeString(name);
    SysFreeString(help);
    info->ReleaseFuncDesc(function);
  }
  info->Release();
  EXPECT_EQ(lineBreaks, 1 + 1 + 1 + 7) << "Farsi, CodePage, MultiLine, Environment";
  // Compiled clients hold the dispatch identifiers of version 1.0.
  EXPECT_EQ(identifiers,
            "Farsi=1 CodePage=2 FarsiDown=3 FarsiPress=4 Shamsi_To_Miladi=5 Miladi_To_Shamsi=6 "
            "Reverse=7 InstallFont=8 MultiLine=9 En_Ir_To_nivo=10 En_To_Ir=11 En_Ir_FileToNivo=12 "
            "ToolTip=13 Message=14 Message2=15 NivoFarsiChar=16 KeyBoard=17 KeyBoard2=18 "
            "Nivo_To_En=19 Animate=20 WinPath=21 WinSysPath=22 Delay=23 DriveType=24 CdDrive=25 "
            "DayOfWeek=26 MonthOfYear=27 SpellNum=28 SystemDate=29 SpellDate=30 VolLabel=31 "
            "DirExist=32 FileExist=33 StrToAscStr=34 AscStrToStr=35 ShapeOval=36 ShapeRect=37 "
            "Reserved=38 DecToBin=39 BinToDec=40 PrintText=41 Environment=42 ");
}

// The module stays loaded exactly as long as something of it is alive: objects,
// class factories and LockServer locks. It serves the control and its property page,
// nothing else; reference counts balance, also after calls that fail, and every
// interface of the control answers with one identity.
TEST(ObjectLifetime, TheModuleStaysLoadedWhileAnythingOfItLives) {
  OcxModule module;
  ASSERT_EQ(module.CanUnloadNow(), S_OK) << "a previous test leaked";
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(module.GetClassObject(IID_IDispatch, IID_IClassFactory, &object), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(object, nullptr);
  for (const CLSID& served : {kPelikarClass, kPropertyPageClass}) {
    IClassFactory* factory = nullptr;
    ASSERT_EQ(module.GetClassObject(served, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
    EXPECT_EQ(module.CanUnloadNow(), S_FALSE) << "a live factory";
    // Any non-NULL outer object asks for aggregation.
    EXPECT_EQ(factory->CreateInstance(factory, IID_IUnknown, &object), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IDataObject, &object), E_NOINTERFACE);
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, &object), S_OK);
    ASSERT_EQ(factory->LockServer(TRUE), S_OK);
    EXPECT_EQ(factory->Release(), 0u);
    EXPECT_EQ(static_cast<IUnknown*>(object)->Release(), 0u);
    EXPECT_EQ(module.CanUnloadNow(), S_FALSE) << "locked";
    ASSERT_EQ(module.GetClassObject(served, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
    ASSERT_EQ(factory->LockServer(FALSE), S_OK);
    EXPECT_EQ(factory->Release(), 0u);
    EXPECT_EQ(module.CanUnloadNow(), S_OK);
  }

  IDispatch* control = module.New<IDispatch>(kPelikarClass, IID_IDispatch);
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(Call(control, L"En_Ir_To_nivo", {L"~fff~"}).result, S_OK);
  EXPECT_EQ(Call(control, L"AscStrToStr", {L"abc"}).result, DISP_E_EXCEPTION);
  EXPECT_EQ(Put(control, L"CodePage", L"abc"), RunTimeError(13));
  IUnknown* identity = nullptr;
  ASSERT_EQ(control->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)), S_OK);
  for (const IID* interfaceId :
       {&IID_IDispatch, &kPelikarInterface, &IID_ISupportErrorInfo, &IID_IProvideClassInfo,
        &IID_IProvideClassInfo2, &IID_IOleObject, &IID_IOleWindow, &IID_IOleInPlaceObject,
        &IID_IOleInPlaceActiveObject, &IID_IOleControl, &IID_IViewObject, &IID_IViewObject2,
        &IID_IPersist, &IID_IPersistStreamInit, &IID_IPersistPropertyBag,
        &IID_IConnectionPointContainer, &IID_ISpecifyPropertyPages}) {
    IUnknown *other = nullptr, *otherIdentity = nullptr;
    ASSERT_EQ(control->QueryInterface(*interfaceId, reinterpret_cast<void**>(&other)), S_OK)
        << Narrow(GuidText(*interfaceId));
    other->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&otherIdentity));
    EXPECT_EQ(otherIdentity, identity) << Narrow(GuidText(*interfaceId));
    otherIdentity->Release();
    other->Release();
  }
  IUnknown* missing = reinterpret_cast<IUnknown*>(1);
  EXPECT_EQ(control->QueryInterface(IID_IDataObject, reinterpret_cast<void**>(&missing)), E_NOINTERFACE);
  EXPECT_EQ(missing, nullptr);
  EXPECT_EQ(identity->Release(), 1u);
  EXPECT_EQ(module.CanUnloadNow(), S_FALSE);
  EXPECT_EQ(control->Release(), 0u);
  EXPECT_EQ(module.CanUnloadNow(), S_OK);
}

// Through the vtable: the members that show windows show none without a place for
// their answer; a value that is no number raises Type mismatch with the thread's error
// info set; an empty result is an empty string. The class tells its event interface.
using Dispatch = ControlTest;

TEST_F(Dispatch, TheVtableAndTheClassInfo) {
  _Pelikar* control = nullptr;
  ASSERT_EQ(control_->QueryInterface(kPelikarInterface, reinterpret_cast<void**>(&control)), S_OK);
  control->Release();  // control_ keeps the object alive
  BSTR text = SysAllocString(L"abc"), result = reinterpret_cast<BSTR>(1);
  for (HRESULT refused : {control->Reverse(text, nullptr), control->FarsiPress(nullptr, nullptr, nullptr),
                          control->KeyBoard(text, text, nullptr), control->Message(text, 0, text, 0, nullptr),
                          control->ToolTip(text, nullptr, nullptr)}) {
    EXPECT_EQ(refused, E_POINTER);
  }
  EXPECT_EQ(control->AscStrToStr(text, &result), RunTimeError(13));
  EXPECT_EQ(result, nullptr);
  SysFreeString(text);
  IErrorInfo* info = nullptr;
  ASSERT_EQ(GetErrorInfo(0, &info), S_OK);
  info->GetDescription(&text);
  EXPECT_EQ(std::wstring(text).rfind(L"Type mismatch", 0), 0u);
  SysFreeString(text);
  info->Release();
  ASSERT_EQ(control->Reverse(nullptr, &result), S_OK);
  ASSERT_NE(result, nullptr) << "an empty result is an empty string, not NULL";
  SysFreeString(result);

  IProvideClassInfo2* provider = nullptr;
  ASSERT_EQ(control_->QueryInterface(IID_IProvideClassInfo2, reinterpret_cast<void**>(&provider)), S_OK);
  GUID events{};
  EXPECT_EQ(provider->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &events), S_OK);
  EXPECT_TRUE(IsEqualGUID(events, kPelikarEvents));
  provider->Release();
}

// Two forms on two user-interface threads, each with its own control in its own
// apartment: one types Persian into an Iran System field while the other converts
// text to the Nivo code page in a loop. No field may ever receive a code of the other
// page: each routine that shapes is handed its own code page's tables.
TEST(Apartments, ATypistNeverGetsTheCodesOfAnotherThreadsConversions) {
  constexpr int kWords = 3000;
  OcxModule module;
  std::atomic<bool> typing{true};
  std::atomic<long> conversions{0};
  std::thread converter([&] {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IDispatch* control = module.New<IDispatch>(kPelikarClass, IID_IDispatch);
    while (control != nullptr && typing) {
      Call(control, L"En_Ir_To_nivo", {L"~sghl fv alh~"});
      ++conversions;
    }
    if (control != nullptr) control->Release();
    CoUninitialize();
  });

  IDispatch* control = module.New<IDispatch>(kPelikarClass, IID_IDispatch);
  ASSERT_NE(control, nullptr);
  ASSERT_EQ(Put(control, L"CodePage", I2(1)), S_OK);
  ASSERT_EQ(Put(control, L"Farsi", I2(-1)), S_OK);
  TestObject* field = (new TestObject())->Set(L"Tag", L"text")->Set(L"Name", L"Text1")->Set(L"SelText", L"");
  field->Set(L"Locked", I4(0))->Set(L"MaxLength", I4(0));
  const std::wstring expected = Call(control, L"En_To_Ir", {L"~sghl~"}).value.text();
  ASSERT_EQ(expected.size(), 4u);
  int wrong = 0;
  for (int i = 0; i < kWords; ++i) {
    // "salaam" typed into the emptied field.
    field->Set(L"Text", L"")->Set(L"SelStart", I4(0));
    for (short key : {'S', 'G', 'H', 'L'}) {
      short character = static_cast<short>(key + 32);
      Call(control, L"FarsiDown", {field, I2(key), I2(0)});
      Call(control, L"FarsiPress", {field, &character});
    }
    wrong += Get(field, L"Text").value.text() != expected;
  }
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
