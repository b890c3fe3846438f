// The module as clients find it: what registration writes and removes, how long the
// module stays loaded, and two apartments at once. (The type library's members are
// walked by the hostile client, its dispatch identifiers stand in the IDL; errors
// reach clients through the thread's error info, as client.vbs shows.)
#include <atomic>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "dispatch_client.h"
#include "test_object.h"

namespace pelikar::com_tests {
namespace {

// DllRegisterServer may be called again and again; DllUnregisterServer removes every
// key, after which the control cannot be created, but the library's entry for the
// control of the other architecture, when that one is registered (both builds' tests
// share one prefix). The control is left registered, as the other tests expect it.
// (That registration writes exactly the packages' keys and values, the install test
// shows.)
bool KeyExists(const std::wstring& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

HRESULT Create(REFCLSID classId) {
  IUnknown* object = nullptr;
  const HRESULT result = CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                          reinterpret_cast<void**>(&object));
  if (object != nullptr) object->Release();
  return result;
}

TEST(Registration, UnregisteringRemovesEveryKeyButTheOtherArchitecturesLibrary) {
  const std::wstring library = L"TypeLib\\" + GuidText(kPelikarLibrary) + L"\\" PELIKAR_LIBRARY_VERSION L"\\0\\",
                     thisLibrary = library + (sizeof(void*) == 8 ? L"win64" : L"win32"),
                     otherLibrary = library + (sizeof(void*) == 8 ? L"win32" : L"win64");
  OcxModule module;
  ASSERT_EQ(module.Server("DllRegisterServer"), S_OK);
  ASSERT_EQ(module.Server("DllRegisterServer"), S_OK);
  EXPECT_EQ(Create(kPelikarClass), S_OK);
  EXPECT_EQ(Create(kPropertyPageClass), S_OK);
  ASSERT_TRUE(KeyExists(thisLibrary));

  const bool otherRegistered = KeyExists(otherLibrary);
  ASSERT_EQ(module.Server("DllUnregisterServer"), S_OK);
  EXPECT_EQ(module.Server("DllUnregisterServer"), S_OK) << "what is not registered";
  EXPECT_EQ(KeyExists(otherLibrary), otherRegistered) << "the other architecture's library entry stays";
  for (const std::wstring& key :
       {L"CLSID\\" + GuidText(kPelikarClass), L"CLSID\\" + GuidText(kPropertyPageClass), std::wstring(L"PelikarLib.Pelikar"),
        std::wstring(L"PelikarLib.Pelikar.1"), L"Interface\\" + GuidText(kPelikarInterface),
        L"Interface\\" + GuidText(kPelikarEvents), thisLibrary}) {
    EXPECT_FALSE(KeyExists(key)) << "HKCR\\" << Narrow(key);
  }
  EXPECT_EQ(Create(kPelikarClass), REGDB_E_CLASSNOTREG);
  EXPECT_EQ(Create(kPropertyPageClass), REGDB_E_CLASSNOTREG);
  EXPECT_EQ(module.Server("DllRegisterServer"), S_OK) << "the control is left unregistered";
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
  TestObject* field = NewTextBox();
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
  EXPECT_EQ(wrong, 0) << "words typed with the other page's codes, of " << kWords << ", " << conversions << " converted";
  EXPECT_GT(conversions, 0);
}

}  // namespace
}  // namespace pelikar::com_tests
