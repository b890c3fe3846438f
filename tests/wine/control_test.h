#pragma once
// A fixture for tests that call the control late-bound, as script clients do, and
// the argument kinds they pass.
#include <windows.h>
#include <oleauto.h>

#include <string>

#include <gtest/gtest.h>

#include "dispatch_client.h"
#include "ocx_module.h"

namespace pelikar::com_tests {

class ControlTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  CallResult Invoke(const wchar_t* name, std::initializer_list<const Variant*> arguments) {
    return Call(control_, name, arguments);
  }

  OcxModule module_;
  IDispatch* control_ = nullptr;
};

Variant Byte(unsigned char number);
Variant Float(float number);
Variant Boolean(bool value);
// The object, referenced by the variant.
Variant Object(IDispatch* object);

// The HRESULT a run-time error number travels as.
inline HRESULT RunTimeError(int number) {
  return static_cast<HRESULT>(0x800A0000u | static_cast<unsigned>(number));
}

// The scode a failed call reported, S_OK for a call that succeeded.
inline HRESULT Raised(const CallResult& call) {
  if (call.result == S_OK) return S_OK;
  return call.result == DISP_E_EXCEPTION ? call.exception.scode : call.result;
}

// A directory of the test's own under the Windows temporary directory, removed with
// its files (whatever their attributes) at the end.
class ScratchDirectory {
 public:
  explicit ScratchDirectory(const std::wstring& name);
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;
  ~ScratchDirectory();

  const std::wstring& path() const { return path_; }
  std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }
  // Creates a file with the bytes, or a directory, and gives it the attributes.
  void AddFile(const std::wstring& name, DWORD attributes = 0, const std::string& bytes = "x");
  void AddDirectory(const std::wstring& name, DWORD attributes = 0);

 private:
  std::wstring path_;
};

}  // namespace pelikar::com_tests
