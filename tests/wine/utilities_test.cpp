// The system utilities on the prefix's own Windows, through late-bound calls: what
// only the platform shows, its directories, drives, files, printers, fonts and
// windows. Their logic is the portable suite's.
//   Drives.*: run by drives_test.sh with a CD-ROM drive mapped, told its root and
//   label by PELIKAR_CDROM_ROOT and PELIKAR_CDROM_LABEL.
//   InstallFont.*: a registered font cannot be removed under Wine: the bare name's
//   case runs in a process of its own, with PELIKAR_TEST_FONT (a Unix path) and its
//   face PELIKAR_TEST_FACE.
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

// A directory of the test's own under the Windows temporary directory, removed with
// its files (whatever their attributes) at the end.
struct ScratchDirectory {
  explicit ScratchDirectory(const std::wstring& name)
      : path(std::filesystem::temp_directory_path() / (name + std::to_wstring(GetCurrentProcessId()))) {
    std::filesystem::create_directory(path);
  }
  ~ScratchDirectory() {
    std::error_code ignored;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path, ignored)) {
      SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    std::filesystem::remove_all(path, ignored);
  }
  std::wstring operator/(const std::wstring& name) const { return (path / name).wstring(); }

  const std::filesystem::path path;
};

class Utilities : public ControlTest {
 protected:
  CallResult Call1(const wchar_t* member, const std::wstring& argument) {
    const Variant text = Variant::Text(argument);
    return Invoke(member, {&text});
  }
  bool True(const wchar_t* member, const std::wstring& argument) {
    return V_BOOL(Call1(member, argument).value.get()) == VARIANT_TRUE;
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
  for (const auto& [root, type] : {std::pair<std::wstring, LONG>{L"C:\\", DRIVE_FIXED},
                                   {L"Z:\\", DRIVE_FIXED}, {{unmapped, L':', L'\\'}, DRIVE_NO_ROOT_DIR}}) {
    EXPECT_EQ(V_I4(Call1(L"DriveType", root).value.get()), type) << Narrow(root);
    EXPECT_EQ(Call1(L"VolLabel", root).value.text(), L"") << "unlabelled or missing";
  }
}

// Real files with real attributes, found by their long names only.
TEST_F(Utilities, FileExistAndDirExist) {
  ScratchDirectory scratch{L"pelikar-files"};
  for (const auto& [name, attributes] : {std::pair{L"readme.txt", FILE_ATTRIBUTE_READONLY},
                                         {L"hidden.ini", FILE_ATTRIBUTE_HIDDEN},
                                         {L"system.ini", FILE_ATTRIBUTE_SYSTEM},
                                         {L"page.html", FILE_ATTRIBUTE_NORMAL}}) {
    std::ofstream(scratch.path / name) << "x";
    SetFileAttributesW((scratch / name).c_str(), attributes);
  }
  std::filesystem::create_directory(scratch.path / L"folder");
  std::filesystem::create_directory(scratch.path / L"secret");
  SetFileAttributesW((scratch / L"secret").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);
  const struct {
    std::wstring name;
    bool file, directory;
  } cases[] = {
      {L"README.TXT", true, true},  // a file counts as a directory
      {L"hidden.ini", false, false},  {L"system.ini", false, false},
      {L"folder\\", false, true},     {L"secret", false, false},
      // Wine finds page.html for *.htm by its short alias; long names only count.
      {L"*.txt", true, true},         {L"*.htm", false, false},
      // No code for it in code page 1252: the ANSI name would carry "?" instead.
      {L"readm\x0416.txt", false, false},
  };
  ASSERT_EQ(GetACP(), 1252u);
  for (const auto& c : cases) {
    EXPECT_EQ(True(L"FileExist", scratch / c.name), c.file) << Narrow(c.name);
    EXPECT_EQ(True(L"DirExist", scratch / c.name), c.directory) << Narrow(c.name);
  }
}

// Without a printer, the error's description in a box and False, whether PrintAttrib
// is left out or a script's variable, which keeps its value and type.
TEST_F(Utilities, PrintTextWithoutAPrinter) {
  DWORD needed = 0, count = 0;
  EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 2, nullptr, 0, &needed, &count);
  if (needed != 0) GTEST_SKIP() << "this prefix has a printer";
  Variant attribute = Variant::Number(VT_UI1, 7);
  const Variant text = Variant::Text(L"one line"), font = Variant::Text(L"Arial"),
                size = Variant::Short(12), bold = Variant::Number(VT_BOOL, 1),
                reference = Variant::Reference(attribute.get());
  MessageBoxWatcher boxes;
  EXPECT_EQ(V_BOOL(Invoke(L"PrintText", {&text, &font, &size, &bold}).value.get()), VARIANT_FALSE);
  EXPECT_EQ(V_BOOL(Invoke(L"PrintText", {&text, &font, &size, &bold, &reference}).value.get()),
            VARIANT_FALSE);
  EXPECT_EQ(boxes.answered(), std::vector<std::wstring>(2, L"Pelikar: Printer error: no printer is installed"));
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
  form->SetLong(L"hwnd", 0);
  EXPECT_EQ(V_I4(Invoke(L"ShapeOval", {&f, &zero, &zero, &right, &bottom}).value.get()), 0)
      << "no window, no region";
  form->Release();
}

class Drives : public Utilities {};

TEST_F(Drives, ACdRomDriveIsFoundWithItsLabel) {
  const std::wstring root = Environment("PELIKAR_CDROM_ROOT"), label = Environment("PELIKAR_CDROM_LABEL");
  ASSERT_EQ(root.size(), 3u) << "PELIKAR_CDROM_ROOT names no drive: run drives_test.sh";
  EXPECT_EQ(V_I4(Call1(L"DriveType", root).value.get()), DRIVE_CDROM);
  EXPECT_EQ(Invoke(L"CdDrive", {}).value.text(), root);
  for (const std::wstring& path : {root, root.substr(0, 2), root + L"some\\file.txt"}) {
    EXPECT_EQ(Call1(L"VolLabel", path).value.text(), label) << Narrow(path);
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
    std::filesystem::copy_file(L"Z:" + Environment("PELIKAR_TEST_FONT"), scratch_ / kFile);
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

// A bare name the platform refuses is no failure; a path that cannot be copied is.
// (First: it leaves the face unregistered for the next case of its process.)
TEST_F(InstallFont, AMissingFileShowsTheFiveLinesAndGivesFalse) {
  EXPECT_TRUE(Install(L"no-such-font.ttf"));
  MessageBoxWatcher boxes;
  EXPECT_FALSE(True(L"InstallFont", scratch_ / L"no\\such\\missing.ttf"));
  EXPECT_FALSE(FaceKnown()) << "nothing is registered after a failed copy";
  EXPECT_EQ(boxes.answered(),
            std::vector<std::wstring>{
                L"Pelikar: Error in the Pelikar font installer: the font could not be installed.\r"
                L"check the path and name of the font file,\r"
                L"if your ttf is in Fonts directory there is no need for path .\r"
                L">>>if you use path it will be copy IF dont use path just you install font\r"
                L"its better that you copy fonts in setup programs."});
}

TEST_F(InstallFont, AFullPathIsCopiedIntoTheFontsDirectoryAndRegistered) {
  EXPECT_TRUE(Install(scratch_ / kFile));
  EXPECT_EQ(std::filesystem::file_size(copy_), std::filesystem::file_size(scratch_ / kFile));
  EXPECT_TRUE(FaceKnown());
}

TEST_F(InstallFont, ABareNameIsRegisteredWithoutACopy) {
  std::filesystem::current_path(scratch_.path);
  EXPECT_TRUE(Install(kFile));
  EXPECT_FALSE(std::filesystem::exists(copy_));
  EXPECT_TRUE(FaceKnown());
  std::filesystem::current_path(L"C:\\");  // the scratch directory can go
}

}  // namespace
}  // namespace pelikar::com_tests
