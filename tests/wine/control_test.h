#pragma once
// A fixture for tests that call the control late-bound, as script clients do.
#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include "dispatch_client.h"

namespace pelikar::com_tests {

class ControlTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(module_.loaded());
    control_ = module_.New<IDispatch>(kPelikarClass, IID_IDispatch);
    ASSERT_NE(control_, nullptr);
  }
  void TearDown() override {
    if (control_ != nullptr) {
      EXPECT_EQ(control_->Release(), 0u);
    }
  }

  CallResult Invoke(const wchar_t* name, std::initializer_list<const Variant*> arguments) {
    return Call(control_, name, arguments);
  }

  OcxModule module_;
  IDispatch* control_ = nullptr;
};

// The HRESULT a run-time error number travels as.
inline HRESULT RunTimeError(int number) {
  return static_cast<HRESULT>(0x800A0000u | static_cast<unsigned>(number));
}

// The scode a failed call reported, S_OK for a call that succeeded.
inline HRESULT Raised(const CallResult& call) {
  if (call.result == S_OK) return S_OK;
  return call.result == DISP_E_EXCEPTION ? call.exception.scode : call.result;
}

}  // namespace pelikar::com_tests
