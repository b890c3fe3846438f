// The module stays loaded exactly as long as something of it is alive: objects,
// class factories and LockServer locks; reference counts balance, also after calls
// that fail, and every interface of the control answers with one identity.
#include <windows.h>
#include <ocidl.h>

#include <vector>

#include <gtest/gtest.h>

#include "dispatch_client.h"

namespace pelikar::com_tests {
namespace {

class ObjectLifetime : public testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(module_.CanUnloadNow(), S_OK) << "a previous test leaked"; }
  OcxModule module_;
};

// The module serves the control and its property page, nothing else; factories,
// locks and objects each keep it loaded.
TEST_F(ObjectLifetime, FactoriesLocksAndObjectsKeepTheModuleLoaded) {
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(module_.GetClassObject(IID_IDispatch, IID_IClassFactory, &object),
            CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(object, nullptr);
  for (const CLSID& served : {kPelikarClass, kPropertyPageClass}) {
    IClassFactory* factory = nullptr;
    ASSERT_EQ(module_.GetClassObject(served, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
    EXPECT_EQ(module_.CanUnloadNow(), S_FALSE) << "a live factory";
    // Any non-NULL outer object asks for aggregation.
    EXPECT_EQ(factory->CreateInstance(factory, IID_IUnknown, &object), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IDataObject, &object), E_NOINTERFACE);
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, &object), S_OK);
    ASSERT_EQ(factory->LockServer(TRUE), S_OK);
    EXPECT_EQ(factory->Release(), 0u);
    EXPECT_EQ(static_cast<IUnknown*>(object)->Release(), 0u);
    EXPECT_EQ(module_.CanUnloadNow(), S_FALSE) << "locked";
    ASSERT_EQ(module_.GetClassObject(served, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
    ASSERT_EQ(factory->LockServer(FALSE), S_OK);
    EXPECT_EQ(factory->Release(), 0u);
    EXPECT_EQ(module_.CanUnloadNow(), S_OK);
  }
}

// Calls that succeed, raise run-time errors and hit unimplemented members leave
// nothing behind; every interface leads back to one IUnknown.
TEST_F(ObjectLifetime, CallsErrorsAndInterfacesLeakNothing) {
  std::vector<IDispatch*> controls(3);
  for (IDispatch*& control : controls) control = module_.New<IDispatch>(kPelikarClass, IID_IDispatch);
  const Variant text = Variant::Text(L"~fff~"), notANumber = Variant::Text(L"abc");
  for (IDispatch* control : controls) {
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(Call(control, L"En_Ir_To_nivo", {&text}).result, S_OK);
    EXPECT_EQ(Call(control, L"AscStrToStr", {&notANumber}).result, DISP_E_EXCEPTION);
    EXPECT_EQ(Call(control, L"CodePage", {&notANumber}, DISPATCH_PROPERTYPUT).result, DISP_E_EXCEPTION);
  }

  IUnknown* identity = nullptr;
  ASSERT_EQ(controls[0]->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)), S_OK);
  for (const IID* interfaceId :
       {&IID_IDispatch, &kPelikarInterface, &IID_ISupportErrorInfo, &IID_IProvideClassInfo,
        &IID_IProvideClassInfo2, &IID_IOleObject, &IID_IOleWindow, &IID_IOleInPlaceObject,
        &IID_IOleInPlaceActiveObject, &IID_IOleControl, &IID_IViewObject, &IID_IViewObject2,
        &IID_IPersist, &IID_IPersistStreamInit, &IID_IPersistPropertyBag,
        &IID_IConnectionPointContainer, &IID_ISpecifyPropertyPages}) {
    IUnknown *other = nullptr, *otherIdentity = nullptr;
    ASSERT_EQ(controls[0]->QueryInterface(*interfaceId, reinterpret_cast<void**>(&other)), S_OK)
        << Narrow(GuidText(*interfaceId));
    other->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&otherIdentity));
    EXPECT_EQ(otherIdentity, identity) << Narrow(GuidText(*interfaceId));
    otherIdentity->Release();
    other->Release();
  }
  IUnknown* missing = reinterpret_cast<IUnknown*>(1);
  EXPECT_EQ(controls[0]->QueryInterface(IID_IDataObject, reinterpret_cast<void**>(&missing)),
            E_NOINTERFACE);
  EXPECT_EQ(missing, nullptr);
  EXPECT_EQ(identity->Release(), 1u);

  EXPECT_EQ(module_.CanUnloadNow(), S_FALSE);
  for (IDispatch* control : controls) EXPECT_EQ(control->Release(), 0u);
  EXPECT_EQ(module_.CanUnloadNow(), S_OK);
}

}  // namespace
}  // namespace pelikar::com_tests
