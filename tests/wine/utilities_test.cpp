// The system utilities on the prefix's own Windows, through late-bound calls: what
// only the platform shows, its directories, drives, files, printers, fonts and
// windows. Their logic is the portable suite's.
//   Drives.*: run by drives_test.sh with a CD-ROM drive mapped, told its root and
//   label by PELIKAR_CDROM_ROOT and PELIKAR_CDROM_LABEL.
//   InstallFont.*: one process each (a registered font cannot be removed under Wine),
//   with PELIKAR_TEST_FONT (a Unix path) and its face PELIKAR_TEST_FACE.
#include <windows.h>
#include <winspool.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
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
  CallResult Call1(const wchar_t* member, const Variant& argument) {
    return Invoke(member, {&argument});
  }
  std::wstring Text(const wchar_t* member, const std::wstring& argument) {
    return Call1(member, Variant::Text(argument)).value.text();
  }
  bool True(const wchar_t* member, const std::wstring& argument) {
    return V_BOOL(Call1(member, Variant::Text(argument)).value.get()) == VARIANT_TRUE;
  }
};

TEST_F(Utilities, DirectoriesAndDrivesOfThePrefix) {
  wchar_t windows[MAX_PATH] = {}, system[MAX_PATH] = {};
  GetWindowsDirectoryW(windows, MAX_PATH);
  GetSystemDirectoryW(system, MAX_PATH);
  EXPECT_EQ(Invoke(L"WinPath", {}).value.text(), windows);
  EXPECT_EQ(Invoke(L"WinSysPath", {}).value.text(), system);
  EXPECT_EQ(Invoke(L"CdDrive", {}).value.text(), L"") << "the prefix has no CD-ROM drive";

  wchar_t unmapped = L'W';
  while (GetLogicalDrives() & (1u << (unmapped - L'A'))) --unmapped;
  const struct {
    std::wstring root;
    LONG type;
  } drives[] = {{L"C:\\", DRIVE_FIXED}, {L"Z:\\", DRIVE_FIXED}, {{unmapped, L':', L'\\'}, DRIVE_NO_ROOT_DIR}};
  for (const auto& drive : drives) {
    EXPECT_EQ(V_I4(Call1(L"DriveType", Variant::Text(drive.root)).value.get()), drive.type)
        << Narrow(drive.root);
    EXPECT_EQ(Text(L"VolLabel", drive.root), L"") << "unlabelled or missing";
  }
}

// Real files with real attributes, found by their long names only.
TEST_F(Utilities, FileExistAndDirExist) {
  ScratchDirectory scratch{L"pelikar-files"};
  scratch.AddFile(L"readme.txt", FILE_ATTRIBUTE_READONLY);
  scratch.AddFile(L"hidden.ini", FILE_ATTRIBUTE_HIDDEN);
  scratch.AddFile(L"system.ini", FILE_ATTRIBUTE_SYSTEM);
  scratch.AddFile(L"page.html");
  scratch.AddDirectory(L"hidden only");
  scratch.AddFile(L"hidden only\\h.txt", FILE_ATTRIBUTE_HIDDEN);
  scratch.AddDirectory(L"folder");
  scratch.AddDirectory(L"secret", FILE_ATTRIBUTE_HIDDEN);
  const struct {
    std::wstring name;
    bool file, directory;
  } cases[] = {
      {L"README.TXT", true, true},  // a file counts as a directory
      {L"hidden.ini", false, false},      {L"system.ini", false, false},
      {L"folder", false, true},           {L"folder\\", false, true},  // its "." entry
      {L"secret", false, false},          {L"missing.txt", false, false},
      {L"*.txt", true, true},             {L"*.ini", false, false},
      // Wine finds page.html for *.htm by its short alias; long names only count.
      {L"*.htm", false, false},
      {L"hidden only\\*", false, true},  // ".", ".." but no visible file
      // No code for it in code page 1252: the ANSI name would carry "?" instead.
      {L"readm\x0416.txt", false, false},
  };
  ASSERT_EQ(GetACP(), 1252u);
  for (const auto& c : cases) {
    EXPECT_EQ(True(L"FileExist", scratch / c.name), c.file) << Narrow(c.name);
    EXPECT_EQ(True(L"DirExist", scratch / c.name), c.directory) << Narrow(c.name);
  }
  EXPECT_TRUE(True(L"DirExist", L"C:\\windows"));
  EXPECT_FALSE(True(L"FileExist", L"C:\\windows"));
}

// Without a printer, the error's description in a box and False, whether PrintAttrib
// is left out or a script's variable, which keeps its value and type.
TEST_F(Utilities, PrintTextWithoutAPrinter) {
  DWORD needed = 0, count = 0;
  EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 2, nullptr, 0, &needed, &count);
  if (needed != 0) GTEST_SKIP() << "this prefix has a printer";
  Variant attribute = Byte(7);
  const Variant text = Variant::Text(L"one line"), font = Variant::Text(L"Arial"),
                size = Variant::Short(12), bold = Boolean(true),
                reference = Variant::Reference(attribute.get());
  for (bool withAttribute : {false, true}) {
    MessageBoxWatcher boxes;
    CallResult call = withAttribute ? Invoke(L"PrintText", {&text, &font, &size, &bold, &reference})
                                    : Invoke(L"PrintText", {&text, &font, &size, &bold});
    EXPECT_EQ(V_BOOL(call.value.get()), VARIANT_FALSE);
    ASSERT_EQ(boxes.answered().size(), 1u);
    EXPECT_EQ(boxes.answered()[0].title, L"Pelikar");
    EXPECT_EQ(boxes.answered()[0].text, L"Printer error: no printer is installed");
  }
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
  const struct {
    bool oval;
    LONG box[6];  // the corners, then the rounding of a rectangle
    HRGN expected;
  } shapes[] = {
      {true, {0, 0, 200, 100}, CreateEllipticRgn(0, 0, 200, 100)},
      {false, {0, 0, 200, 100, 0, 0}, CreateRoundRectRgn(0, 0, 200, 100, 0, 0)},
      {false, {10, 5, 190, 95, 40, 20}, CreateRoundRectRgn(10, 5, 190, 95, 40, 20)},
      {true, {0, 0, 50, 50}, nullptr},  // on a handle of no window
  };
  const HRGN region = CreateRectRgn(0, 0, 0, 0);
  for (const auto& shape : shapes) {
    if (shape.expected == nullptr) form->SetLong(L"hwnd", 0);
    const Variant f = Object(form), a = Variant::Long(shape.box[0]), b = Variant::Long(shape.box[1]),
                  c = Variant::Long(shape.box[2]), d = Variant::Long(shape.box[3]),
                  e = Variant::Long(shape.box[4]), g = Variant::Long(shape.box[5]);
    CallResult call = shape.oval ? Invoke(L"ShapeOval", {&f, &a, &b, &c, &d})
                                 : Invoke(L"ShapeRect", {&f, &a, &b, &c, &d, &e, &g});
    ASSERT_EQ(call.result, S_OK);
    EXPECT_EQ(V_I4(call.value.get()) != 0, shape.expected != nullptr) << shape.box[0];
    if (shape.expected == nullptr) break;
    ASSERT_NE(GetWindowRgn(window, region), ERROR) << shape.box[0];
    EXPECT_EQ(CombineRgn(region, region, shape.expected, RGN_XOR), NULLREGION) << shape.box[0];
    DeleteObject(shape.expected);
    SetWindowRgn(window, nullptr, FALSE);
  }
  EXPECT_EQ(GetWindowRgn(window, region), ERROR) << "no window, no region";
  DeleteObject(region);
  DestroyWindow(window);
  form->Release();
}

class Drives : public Utilities {};

TEST_F(Drives, ACdRomDriveIsFoundWithItsLabel) {
  const std::wstring root = Environment("PELIKAR_CDROM_ROOT"), label = Environment("PELIKAR_CDROM_LABEL");
  ASSERT_EQ(root.size(), 3u) << "PELIKAR_CDROM_ROOT names no drive: run drives_test.sh";
  EXPECT_EQ(V_I4(Call1(L"DriveType", Variant::Text(root)).value.get()), DRIVE_CDROM);
  EXPECT_EQ(Invoke(L"CdDrive", {}).value.text(), root);
  for (const std::wstring& path : {root, root.substr(0, 2), root + L"some\\file.txt"}) {
    EXPECT_EQ(Text(L"VolLabel", path), label) << Narrow(path);
  }
}

int CALLBACK NoteFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

class InstallFont : public Utilities {
 protected:
  void SetUp() override {
    Utilities::SetUp();
    ASSERT_FALSE(face_.empty()) << "PELIKAR_TEST_FACE names no face";
    ASSERT_FALSE(FaceKnown()) << "the face is known before any test registers it";
    std::wstring source = L"Z:" + Environment("PELIKAR_TEST_FONT");
    std::replace(source.begin(), source.end(), L'/', L'\\');
    ASSERT_TRUE(CopyFileW(source.c_str(), (scratch_ / kFile).c_str(), FALSE));
  }
  void TearDown() override {
    SetFileAttributesW(copy_.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(copy_.c_str());
    Utilities::TearDown();
  }

  bool FaceKnown() {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    face_.copy(wanted.lfFaceName, LF_FACESIZE - 1);
    bool found = false;
    const HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &wanted, NoteFace, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
  }
  // Installs the font by the name; true when it answers True and shows no box.
  bool Install(const std::wstring& name) {
    MessageBoxWatcher boxes;
    return True(L"InstallFont", name) && boxes.answered().empty();
  }

  static constexpr wchar_t kFile[] = L"pelikar-test-font.ttf";
  ScratchDirectory scratch_{L"pelikar-fonts"};
  const std::wstring face_ = Environment("PELIKAR_TEST_FACE");
  const std::wstring copy_ = L"C:\\windows\\Fonts\\" + std::wstring(kFile);
};

TEST_F(InstallFont, AFullPathIsCopiedIntoTheFontsDirectoryAndRegistered) {
  EXPECT_TRUE(Install(scratch_ / kFile));
  EXPECT_EQ(std::filesystem::file_size(copy_), std::filesystem::file_size(scratch_ / kFile));
  EXPECT_TRUE(FaceKnown());
}

TEST_F(InstallFont, ABareNameIsRegisteredWithoutACopy) {
  ASSERT_TRUE(SetCurrentDirectoryW(scratch_.path().c_str()));
  EXPECT_TRUE(Install(kFile));
  EXPECT_FALSE(std::filesystem::exists(copy_));
  EXPECT_TRUE(FaceKnown());
  SetCurrentDirectoryW(L"C:\\");  // the scratch directory can go
}

// A bare name the platform refuses is no failure; a path that cannot be copied is.
TEST_F(InstallFont, AMissingFileShowsTheFiveLinesAndGivesFalse) {
  EXPECT_TRUE(Install(L"no-such-font.ttf"));
  MessageBoxWatcher boxes;
  EXPECT_FALSE(True(L"InstallFont", scratch_ / L"no\\such\\missing.ttf"));
  EXPECT_FALSE(FaceKnown()) << "nothing is registered after a failed copy";
  ASSERT_EQ(boxes.answered().size(), 1u);
  EXPECT_EQ(boxes.answered()[0].title, L"Pelikar");
  EXPECT_EQ(boxes.answered()[0].text,
            L"Error in the Pelikar font installer: the font could not be installed.\r"
            L"check the path and name of the font file,\r"
            L"if your ttf is in Fonts directory there is no need for path .\r"
            L">>>if you use path it will be copy IF dont use path just you install font\r"
            L"its better that you copy fonts in setup programs.");
}

}  // namespace
}  // namespace pelikar::com_tests
