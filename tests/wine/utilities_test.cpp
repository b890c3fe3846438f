// The system utilities on the prefix's own Windows, through late-bound calls, each
// reached once: directories, drives, files and wildcards, printing without a printer,
// window regions, installing a font. Their logic is the portable suite's.
//   InstallFont: told the control's own glyph font by PELIKAR_TEST_FONT (a Unix path)
//   and its face by PELIKAR_TEST_FACE; no process may know the face before.
#include <windows.h>
#include <winspool.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "control_test.h"
#include "dialog_windows.h"
#include "test_object.h"

namespace pelikar::com_tests {
namespace {

std::wstring Environment(const char* name) {
  const std::string value = std::getenv(name) != nullptr ? std::getenv(name) : "";
  return std::wstring(value.begin(), value.end());
}

class Utilities : public ControlTest {
 protected:
  // A directory of the test's own under the Windows temporary directory, removed with
  // its files at the end.
  void SetUp() override {
    ControlTest::SetUp();
    std::filesystem::create_directory(scratch_);
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(scratch_, ignored);
    ControlTest::TearDown();
  }
  std::wstring Scratch(const std::wstring& name) const { return (scratch_ / name).wstring(); }

  CallResult Call1(const wchar_t* member, const std::wstring& argument) {
    const Variant text = Variant::Text(argument);
    return Invoke(member, {&text});
  }
  bool True(const wchar_t* member, const std::wstring& argument) {
    return V_BOOL(Call1(member, argument).value.get()) == VARIANT_TRUE;
  }

  const std::filesystem::path scratch_ =
      std::filesystem::temp_directory_path() / (L"pelikar-" + std::to_wstring(GetCurrentProcessId()));
};

TEST_F(Utilities, DirectoriesAndDrivesOfThePrefix) {
  wchar_t windows[MAX_PATH] = {}, system[MAX_PATH] = {};
  GetWindowsDirectoryW(windows, MAX_PATH);
  GetSystemDirectoryW(system, MAX_PATH);
  EXPECT_EQ(Invoke(L"WinPath", {}).value.text(), windows);
  EXPECT_EQ(Invoke(L"WinSysPath", {}).value.text(), system);
  EXPECT_EQ(Invoke(L"CdDrive", {}).value.text(), L"") << "the prefix has no CD-ROM drive";
  EXPECT_EQ(V_I4(Call1(L"DriveType", L"C:\\").value.get()), DRIVE_FIXED);
  EXPECT_EQ(Call1(L"VolLabel", L"C:\\").value.text(), L"") << "unlabelled";
}

// Real files, a hidden one among them, found by their long names only.
TEST_F(Utilities, FileExistAndDirExist) {
  for (const wchar_t* name : {L"readme.txt", L"hidden.ini", L"page.html"}) std::ofstream(scratch_ / name) << "x";
  SetFileAttributesW(Scratch(L"hidden.ini").c_str(), FILE_ATTRIBUTE_HIDDEN);
  std::filesystem::create_directory(scratch_ / L"folder");
  const struct {
    std::wstring name;
    bool file, directory;
  } cases[] = {
      {L"README.TXT", true, true},  // a file counts as a directory
      {L"hidden.ini", false, false},
      {L"folder\\", false, true},
      // Wine finds page.html for *.htm by its short alias; long names only count.
      {L"*.txt", true, true},
      {L"*.htm", false, false},
      // No code for it in code page 1252: the ANSI name would carry "?" instead.
      {L"readm\x0416.txt", false, false},
  };
  ASSERT_EQ(GetACP(), 1252u);
  for (const auto& c : cases) {
    EXPECT_EQ(True(L"FileExist", Scratch(c.name)), c.file) << Narrow(c.name);
    EXPECT_EQ(True(L"DirExist", Scratch(c.name)), c.directory) << Narrow(c.name);
  }
}

// Without a printer, the error's description in a box and False; PrintAttrib, a
// script's variable, keeps its value and type.
TEST_F(Utilities, PrintTextWithoutAPrinter) {
  DWORD needed = 0, count = 0;
  EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 2, nullptr, 0, &needed, &count);
  if (needed != 0) GTEST_SKIP() << "this prefix has a printer";
  Variant attribute = Variant::Number(VT_UI1, 7);
  const Variant text = Variant::Text(L"one line"), font = Variant::Text(L"Arial"),
                size = Variant::Short(12), bold = Variant::Number(VT_BOOL, 1),
                reference = Variant::Reference(attribute.get());
  MessageBoxWatcher boxes;
  EXPECT_EQ(V_BOOL(Invoke(L"PrintText", {&text, &font, &size, &bold, &reference}).value.get()),
            VARIANT_FALSE);
  EXPECT_EQ(boxes.answered(), std::vector<std::wstring>{L"Pelikar: Printer error: no printer is installed"});
  EXPECT_EQ(attribute.type(), VT_UI1);
  EXPECT_EQ(V_UI1(attribute.get()), 7);
}

// ShapeOval and ShapeRect leave a real window, reached through a host object's hwnd,
// with the very pixels of the region the platform makes for the same arguments.
TEST_F(Utilities, WindowShapes) {
  // A popup: the whole window is its client area, so region and window agree.
  const HWND window = CreateWindowExW(0, L"STATIC", L"form", WS_POPUP, 10, 10, 200, 100, nullptr,
                                      nullptr, nullptr, nullptr);
  TestObject* form = new TestObject();
  form->SetLong(L"hwnd", HandleToLong(window));
  const Variant f = Object(form), zero = Variant::Long(0), right = Variant::Long(190),
                bottom = Variant::Long(95), wide = Variant::Long(40), high = Variant::Long(20);
  form->Release();
  const HRGN region = CreateRectRgn(0, 0, 0, 0);
  auto shapedAs = [&](HRGN expected) {
    const bool same = GetWindowRgn(window, region) != ERROR &&
                      CombineRgn(region, region, expected, RGN_XOR) == NULLREGION;
    DeleteObject(expected);
    return same;
  };
  EXPECT_NE(V_I4(Invoke(L"ShapeOval", {&f, &zero, &zero, &right, &bottom}).value.get()), 0);
  EXPECT_TRUE(shapedAs(CreateEllipticRgn(0, 0, 190, 95)));
  EXPECT_NE(V_I4(Invoke(L"ShapeRect", {&f, &wide, &high, &right, &bottom, &wide, &high}).value.get()), 0);
  EXPECT_TRUE(shapedAs(CreateRoundRectRgn(40, 20, 190, 95, 40, 20)));
  DeleteObject(region);
  DestroyWindow(window);
}

int CALLBACK NoteFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

// A path that cannot be copied shows the installer's box and gives False; a full path
// is copied into the fonts directory and registered, with no box.
TEST_F(Utilities, InstallFont) {
  const std::wstring face = Environment("PELIKAR_TEST_FACE"), file = L"pelikar-test-font.ttf",
                     copy = L"C:\\windows\\Fonts\\" + file;
  auto faceKnown = [&] {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    face.copy(wanted.lfFaceName, LF_FACESIZE - 1);
    bool found = false;
    const HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &wanted, NoteFace, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
  };
  ASSERT_FALSE(face.empty()) << "PELIKAR_TEST_FACE names no face";
  ASSERT_FALSE(faceKnown()) << "the face is known before the test registers it";
  std::filesystem::copy_file(L"Z:" + Environment("PELIKAR_TEST_FONT"), scratch_ / file);
  MessageBoxWatcher boxes;
  EXPECT_FALSE(True(L"InstallFont", Scratch(L"no\\such\\missing.ttf")));
  EXPECT_FALSE(faceKnown()) << "nothing is registered after a failed copy";
  EXPECT_TRUE(True(L"InstallFont", Scratch(file)));
  ASSERT_EQ(boxes.answered().size(), 1u) << "the failure's box alone";
  EXPECT_EQ(boxes.answered()[0].rfind(L"Pelikar: Error in the Pelikar font installer", 0), 0u);
  EXPECT_EQ(std::filesystem::file_size(copy), std::filesystem::file_size(scratch_ / file));
  EXPECT_TRUE(faceKnown());
  SetFileAttributesW(copy.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileW(copy.c_str());
}

}  // namespace
}  // namespace pelikar::com_tests
