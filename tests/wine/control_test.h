#pragma once
// A fixture for tests that call a new control late-bound, as script clients do.
#include <gtest/gtest.h>

#include "dispatch_client.h"

namespace pelikar::com_tests {

class ControlTest : public testing::Test {
 protected:
  void SetUp() override {
    control_ = module_.New<IDispatch>(kPelikarClass, IID_IDispatch);
    ASSERT_NE(control_, nullptr);
  }
  void TearDown() override {
    if (control_ != nullptr) {
      EXPECT_EQ(control_->Release(), 0u);
    }
  }
  CallResult Invoke(const wchar_t* name, std::initializer_list<Variant> arguments = {}) {
    return Call(control_, name, arguments);
  }

  OcxModule module_;
  IDispatch* control_ = nullptr;
};

}  // namespace pelikar::com_tests
