// The drive members on a prefix without a CD-ROM drive and on one where
// drives_test.sh has mapped a scratch directory as one (with a volume label).
//   DrivesUnmapped.*: run before the mapping;  DrivesMapped.*: run with it, told the
//   drive's root and label by PELIKAR_CDROM_ROOT and PELIKAR_CDROM_LABEL.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "control_test.h"

namespace pelikar::com_tests {
namespace {

std::wstring Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::wstring(value, value + std::strlen(value)) : std::wstring();
}

class DrivesUnmapped : public ControlTest {};

TEST_F(DrivesUnmapped, CdDriveIsEmptyWithoutACdRomDrive) {
  CallResult call = Invoke(L"CdDrive", {});
  ASSERT_EQ(call.result, S_OK);
  EXPECT_EQ(call.value.text(), L"");
}

class DrivesMapped : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    ASSERT_EQ(root_.size(), 3u) << "PELIKAR_CDROM_ROOT names no drive: run drives_test.sh";
    ASSERT_FALSE(label_.empty()) << "PELIKAR_CDROM_LABEL is not set";
  }

  std::wstring Text(const wchar_t* member, const std::wstring& argument) {
    const Variant text = Variant::Text(argument);
    CallResult call = Invoke(member, {&text});
    EXPECT_EQ(call.result, S_OK);
    return call.value.text();
  }

  const std::wstring root_ = Environment("PELIKAR_CDROM_ROOT");
  const std::wstring label_ = Environment("PELIKAR_CDROM_LABEL");
};

TEST_F(DrivesMapped, TheDriveIsACdRomThatCdDriveFinds) {
  const Variant root = Variant::Text(root_);
  CallResult type = Invoke(L"DriveType", {&root});
  ASSERT_EQ(type.result, S_OK);
  EXPECT_EQ(V_I4(type.value.get()), DRIVE_CDROM);
  CallResult found = Invoke(L"CdDrive", {});
  ASSERT_EQ(found.result, S_OK);
  EXPECT_EQ(found.value.text(), root_);
}

TEST_F(DrivesMapped, VolLabelReadsTheDrivesLabel) {
  EXPECT_EQ(Text(L"VolLabel", root_), label_);
  EXPECT_EQ(Text(L"VolLabel", root_.substr(0, 2)), label_) << "a bare drive";
  EXPECT_EQ(Text(L"VolLabel", root_ + L"some\\file.txt"), label_) << "a path on the drive";
  EXPECT_EQ(Text(L"VolLabel", L"C:\\"), L"");
}

}  // namespace
}  // namespace pelikar::com_tests
