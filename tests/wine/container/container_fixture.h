#pragma once
// A test container holding one control of the module under test, sited in a form
// window of its own. At the end every reference must be given back: the control's,
// the site's, and the module's (DllCanUnloadNow).
#include <windows.h>
#include <ocidl.h>

#include <string>

#include <gtest/gtest.h>

#include "../dispatch_client.h"
#include "../ocx_module.h"
#include "test_site.h"

namespace pelikar::container_tests {

using com_tests::Call;
using com_tests::CallResult;
using com_tests::Variant;

class ContainerTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A new control of the module, not sited; the caller releases it.
  IUnknown* NewControl();
  // The test's control as the interface; the control keeps the pointer alive.
  template <class Interface>
  Interface* As(REFIID interfaceId, IUnknown* control = nullptr) {
    Interface* typed = nullptr;
    EXPECT_EQ((control != nullptr ? control : control_)
                  ->QueryInterface(interfaceId, reinterpret_cast<void**>(&typed)),
              S_OK);
    if (typed != nullptr) typed->Release();
    return typed;
  }
  // SetClientSite, as a form designer does it first, with UserMode as given.
  void Site(bool userMode, IUnknown* control = nullptr);

  // S_OK, or the error the write raised.
  HRESULT Put(const wchar_t* property, const Variant& value, IUnknown* control = nullptr);
  // The property's value as "Boolean True", "Integer 0", "String Delphi"...
  std::string Get(const wchar_t* property, IUnknown* control = nullptr);

  com_tests::OcxModule module_;
  CallLog log_;
  HWND window_ = nullptr;
  TestSite* site_ = nullptr;
  IUnknown* control_ = nullptr;
};

// A VARIANT as "Boolean True", "Integer 0", "Long 5", "String x", "Empty".
std::string Typed(const VARIANT& value);

}  // namespace pelikar::container_tests
