#include "control_test.h"

#include <filesystem>

namespace pelikar::com_tests {

void ControlTest::SetUp() {
  ASSERT_TRUE(module_.loaded());
  IClassFactory* factory = nullptr;
  ASSERT_EQ(module_.GetClassObject(kPelikarClass, IID_IClassFactory,
                                   reinterpret_cast<void**>(&factory)),
            S_OK);
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&control_)),
            S_OK);
  factory->Release();
}

void ControlTest::TearDown() {
  if (control_ != nullptr) {
    EXPECT_EQ(control_->Release(), 0u);
  }
}

Variant Byte(unsigned char number) {
  Variant variant;
  V_VT(variant.get()) = VT_UI1;
  V_UI1(variant.get()) = number;
  return variant;
}

Variant Float(float number) {
  Variant variant;
  V_VT(variant.get()) = VT_R4;
  V_R4(variant.get()) = number;
  return variant;
}

Variant Boolean(bool value) {
  Variant variant;
  V_VT(variant.get()) = VT_BOOL;
  V_BOOL(variant.get()) = value ? VARIANT_TRUE : VARIANT_FALSE;
  return variant;
}

Variant Object(IDispatch* object) {
  Variant variant;
  V_VT(variant.get()) = VT_DISPATCH;
  V_DISPATCH(variant.get()) = object;
  if (object != nullptr) object->AddRef();
  return variant;
}

ScratchDirectory::ScratchDirectory(const std::wstring& name) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  path_ = std::wstring(temp) + name + L"-" + std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(path_.c_str(), nullptr);
}

ScratchDirectory::~ScratchDirectory() {
  std::error_code ignored;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored)) {
    SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
  }
  std::filesystem::remove_all(path_, ignored);
}

void ScratchDirectory::AddFile(const std::wstring& name, DWORD attributes,
                               const std::string& bytes) {
  const std::wstring path = *this / name;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << "cannot create " << Narrow(path);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  if (attributes != 0) {
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), attributes));
  }
}

void ScratchDirectory::AddDirectory(const std::wstring& name, DWORD attributes) {
  const std::wstring path = *this / name;
  ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
  if (attributes != 0) {
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), attributes | FILE_ATTRIBUTE_DIRECTORY));
  }
}

}  // namespace pelikar::com_tests
