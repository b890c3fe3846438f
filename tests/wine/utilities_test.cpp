// The system utilities on the prefix's own Windows: its directories, drives, files and
// clock, and the binary texts through late-bound calls.
#include <windows.h>

#include <chrono>

#include <gtest/gtest.h>

#include "control_test.h"

namespace pelikar::com_tests {
namespace {

class Utilities : public ControlTest {};

std::wstring TextOf(const wchar_t* member, IDispatch* control,
                    std::initializer_list<const Variant*> arguments = {}) {
  CallResult call = Call(control, member, arguments);
  EXPECT_EQ(call.result, S_OK) << Narrow(call.description());
  return call.value.text();
}

bool IsTrue(CallResult&& call) {
  EXPECT_EQ(call.result, S_OK);
  EXPECT_EQ(call.value.type(), VT_BOOL);
  return V_BOOL(call.value.get()) == VARIANT_TRUE;
}

TEST_F(Utilities, WindowsAndSystemDirectoriesOfThePrefix) {
  wchar_t windows[MAX_PATH] = {};
  wchar_t system[MAX_PATH] = {};
  GetWindowsDirectoryW(windows, MAX_PATH);
  GetSystemDirectoryW(system, MAX_PATH);
  EXPECT_EQ(_wcsicmp(windows, L"C:\\windows"), 0) << "the prefix's layout";
  EXPECT_EQ(TextOf(L"WinPath", control_), windows);
  EXPECT_EQ(TextOf(L"WinSysPath", control_), system);
  const DWORD attributes = GetFileAttributesW(TextOf(L"WinSysPath", control_).c_str());
  EXPECT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(Utilities, DriveTypes) {
  // A letter that the prefix does not map.
  const DWORD mapped = GetLogicalDrives();
  wchar_t unmapped = 0;
  for (wchar_t letter = L'W'; letter >= L'D' && unmapped == 0; --letter) {
    if (!(mapped & (1u << (letter - L'A')))) unmapped = letter;
  }
  ASSERT_NE(unmapped, 0);
  const struct {
    std::wstring root;
    LONG type;
  } cases[] = {{L"C:\\", DRIVE_FIXED}, {L"Z:\\", DRIVE_FIXED}, {{unmapped, L':', L'\\'}, DRIVE_NO_ROOT_DIR}};
  for (const auto& c : cases) {
    const Variant root = Variant::Text(c.root);
    CallResult call = Invoke(L"DriveType", {&root});
    ASSERT_EQ(call.result, S_OK);
    EXPECT_EQ(V_I4(call.value.get()), c.type) << Narrow(c.root);
  }
}

class Files : public Utilities {
 protected:
  void SetUp() override {
    Utilities::SetUp();
    scratch_.AddFile(L"readme.txt");
    scratch_.AddFile(L"locked.txt", FILE_ATTRIBUTE_READONLY);
    scratch_.AddFile(L"archived.dat", FILE_ATTRIBUTE_ARCHIVE);
    scratch_.AddFile(L"hidden.ini", FILE_ATTRIBUTE_HIDDEN);
    scratch_.AddFile(L"system.ini", FILE_ATTRIBUTE_SYSTEM);
    scratch_.AddFile(L"page.html");
    scratch_.AddDirectory(L"folder");
    scratch_.AddDirectory(L"secret", FILE_ATTRIBUTE_HIDDEN);
    scratch_.AddDirectory(L"empty");
    scratch_.AddDirectory(L"hidden only");
    scratch_.AddFile(L"hidden only\\h.txt", FILE_ATTRIBUTE_HIDDEN);
  }

  bool Exists(const wchar_t* member, const std::wstring& name) {
    const Variant path = Variant::Text(name);
    return IsTrue(Invoke(member, {&path}));
  }

  ScratchDirectory scratch_{L"pelikar-files"};
};

TEST_F(Files, FileExistAndDirExist) {
  const struct {
    std::wstring name;
    bool file;
    bool directory;
  } cases[] = {
      {L"readme.txt", true, true},  // a file counts as a directory
      {L"README.TXT", true, true},
      {L"locked.txt", true, true},
      {L"archived.dat", true, true},
      {L"hidden.ini", false, false},
      {L"system.ini", false, false},
      {L"folder", false, true},
      {L"folder\\", false, true},  // its "." entry
      {L"secret", false, false},
      {L"empty", false, true},
      {L"missing.txt", false, false},
      {L"no\\such\\dir\\file.txt", false, false},
      {L"*.txt", true, true},
      {L"*.TXT", true, true},
      {L"*.ini", false, false},
      {L"read??.txt", true, true},
      {L"read?.txt", false, false},
      {L"fold*", false, true},
      {L"*.zip", false, false},
      {L"*.", false, true},  // names without an extension: the folders
      {L"page.*", true, true},
      // Wine finds page.html for *.htm by its short alias; long names only count.
      {L"*.htm", false, false},
      {L"hidden only\\*", false, true},  // ".", ".." but no visible file
      {L"hidden only\\*.txt", false, false},
  };
  for (const auto& c : cases) {
    const std::wstring path = scratch_ / c.name;
    const std::string label = Narrow(c.name);
    EXPECT_EQ(Exists(L"FileExist", path), c.file) << label;
    EXPECT_EQ(Exists(L"DirExist", path), c.directory) << label;
  }
  EXPECT_FALSE(Exists(L"FileExist", L"")) << "an empty name matches nothing";
  EXPECT_TRUE(Exists(L"DirExist", L"C:\\windows"));
  EXPECT_FALSE(Exists(L"FileExist", L"C:\\windows"));
}

// Under code page 1252 a Cyrillic letter has no code: the ANSI name would carry "?"
// in its place and find readme.txt.
TEST_F(Files, ANameOutsideTheAnsiCodePageFindsNothing) {
  ASSERT_EQ(GetACP(), 1252u);
  const std::wstring name = scratch_ / L"readm\x0416.txt";
  EXPECT_FALSE(Exists(L"FileExist", name));
  EXPECT_FALSE(Exists(L"DirExist", name));
}

TEST_F(Files, ASearchThatCannotBeMadeReachesTheCaller) {
  // A wildcard in a directory's name makes a malformed name.
  const Variant malformed = Variant::Text(L"C:\\win*\\notepad.exe");
  for (const wchar_t* member : {L"FileExist", L"DirExist"}) {
    CallResult call = Invoke(member, {&malformed});
    EXPECT_EQ(Raised(call), RunTimeError(52)) << Narrow(member);
    EXPECT_EQ(call.description().rfind(L"Bad file name or number", 0), 0u) << Narrow(member);
  }
}

TEST_F(Utilities, VolumeLabelsOfUnlabelledAndMissingDrives) {
  for (const wchar_t* drive : {L"C:\\", L"C:", L"Q:\\"}) {
    const Variant name = Variant::Text(drive);
    EXPECT_EQ(TextOf(L"VolLabel", control_, {&name}), L"") << Narrow(drive);
  }
}

TEST_F(Utilities, BinaryTexts) {
  for (int value : {0, 5, 160, 255}) {
    const Variant number = Byte(static_cast<unsigned char>(value));
    const std::wstring text = TextOf(L"DecToBin", control_, {&number});
    ASSERT_EQ(text.size(), 8u);
    const Variant back = Variant::Text(text);
    CallResult call = Invoke(L"BinToDec", {&back});
    ASSERT_EQ(call.result, S_OK);
    EXPECT_EQ(call.value.type(), VT_UI1);
    EXPECT_EQ(V_UI1(call.value.get()), value);
  }
  const Variant five = Byte(5);
  EXPECT_EQ(TextOf(L"DecToBin", control_, {&five}), L"00000101");
  const Variant shortText = Variant::Text(L"101");
  EXPECT_EQ(V_UI1(Invoke(L"BinToDec", {&shortText}).value.get()), 160);
  const Variant tooLarge = Variant::Text(L"99999999");
  CallResult overflow = Invoke(L"BinToDec", {&tooLarge});
  EXPECT_EQ(Raised(overflow), RunTimeError(6));
  EXPECT_EQ(overflow.description().rfind(L"Overflow", 0), 0u);
}

TEST_F(Utilities, DelayWaitsOnTheClock) {
  using Clock = std::chrono::steady_clock;
  const Variant half = Float(0.5f);
  auto start = Clock::now();
  EXPECT_TRUE(IsTrue(Invoke(L"Delay", {&half})));
  EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(500));

  for (float second : {0.0f, -1.0f, -1e30f}) {
    const Variant none = Float(second);
    start = Clock::now();
    EXPECT_TRUE(IsTrue(Invoke(L"Delay", {&none}))) << second;
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(100)) << second;
  }
}

}  // namespace
}  // namespace pelikar::com_tests
