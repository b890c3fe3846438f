// InstallFont on the prefix: a full path is copied into the fonts directory and
// registered, a bare name is registered where the platform finds it, and a missing
// file shows the installer's message, which a watching thread reads and answers.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include <gtest/gtest.h>

#include "control_test.h"
#include "window_watcher.h"

namespace pelikar::com_tests {
namespace {

// The font the tests install: PELIKAR_TEST_FONT, a Unix path, seen through drive Z:,
// whose face PELIKAR_TEST_FACE this process does not know until it is registered.
std::wstring SourceFont() {
  const char* unixPath = std::getenv("PELIKAR_TEST_FONT");
  if (unixPath == nullptr) return {};
  std::wstring path = L"Z:";
  for (const char* c = unixPath; *c != '\0'; ++c) path += *c == '/' ? L'\\' : wchar_t(*c);
  return path;
}

std::wstring FontFace() {
  const char* face = std::getenv("PELIKAR_TEST_FACE");
  return face != nullptr ? std::wstring(face, face + std::strlen(face)) : std::wstring();
}

int CALLBACK NoteFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

// Whether this process can use the face. Wine cannot remove a registered font, so
// each test that registers one runs in a process of its own.
bool FaceKnown(const std::wstring& face) {
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  face.copy(wanted.lfFaceName, LF_FACESIZE - 1);
  bool found = false;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(screen, &wanted, NoteFace, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}

std::wstring FontsDirectory() {
  wchar_t windows[MAX_PATH] = {};
  GetWindowsDirectoryW(windows, MAX_PATH);
  return std::wstring(windows) + L"\\Fonts";
}

std::vector<std::wstring> Lines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find(L'\r', start)) != std::wstring::npos; start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  lines.push_back(text.substr(start));
  return lines;
}

class InstallFont : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    const std::wstring source = SourceFont();
    ASSERT_FALSE(source.empty()) << "PELIKAR_TEST_FONT names no font";
    ASSERT_FALSE(face_.empty()) << "PELIKAR_TEST_FACE names no face";
    ASSERT_FALSE(FaceKnown(face_)) << "the face is known before any test registers it";
    ASSERT_TRUE(CopyFileW(source.c_str(), (scratch_ / kFontFile).c_str(), FALSE));
  }
  void TearDown() override {
    const std::wstring copy = FontsDirectory() + L"\\" + kFontFile;
    SetFileAttributesW(copy.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(copy.c_str());
    ControlTest::TearDown();
  }

  bool Install(const std::wstring& name) {
    const Variant fontName = Variant::Text(name);
    CallResult call = Invoke(L"InstallFont", {&fontName});
    EXPECT_EQ(call.result, S_OK);
    return V_BOOL(call.value.get()) == VARIANT_TRUE;
  }

  static constexpr wchar_t kFontFile[] = L"pelikar-test-font.ttf";
  ScratchDirectory scratch_{L"pelikar-fonts"};
  const std::wstring face_ = FontFace();
};

TEST_F(InstallFont, AFullPathIsCopiedIntoTheFontsDirectoryAndRegistered) {
  const std::wstring path = scratch_ / kFontFile;
  MessageBoxWatcher boxes;
  EXPECT_TRUE(Install(path));
  EXPECT_TRUE(boxes.answered().empty());
  const std::wstring copy = FontsDirectory() + L"\\" + kFontFile;
  ASSERT_TRUE(std::filesystem::exists(copy));
  EXPECT_EQ(std::filesystem::file_size(copy), std::filesystem::file_size(path));
  EXPECT_TRUE(FaceKnown(face_));
}

TEST_F(InstallFont, ABareNameIsRegisteredWithoutACopy) {
  wchar_t previous[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, previous);
  ASSERT_TRUE(SetCurrentDirectoryW(scratch_.path().c_str()));
  MessageBoxWatcher boxes;
  EXPECT_TRUE(Install(kFontFile));
  EXPECT_TRUE(boxes.answered().empty());
  EXPECT_FALSE(std::filesystem::exists(FontsDirectory() + L"\\" + kFontFile));
  EXPECT_TRUE(FaceKnown(face_));
  SetCurrentDirectoryW(previous);
}

TEST_F(InstallFont, AFontThePlatformRefusesIsNoFailure) {
  MessageBoxWatcher boxes;
  EXPECT_TRUE(Install(L"no-such-font.ttf"));
  EXPECT_TRUE(boxes.answered().empty());
  EXPECT_FALSE(FaceKnown(face_));
}

TEST_F(InstallFont, AMissingFileShowsTheFiveLinesAndGivesFalse) {
  MessageBoxWatcher boxes;
  EXPECT_FALSE(Install(scratch_ / L"no\\such\\missing.ttf"));
  EXPECT_FALSE(FaceKnown(face_)) << "nothing is registered after a failed copy";
  const std::vector<AnsweredBox> answered = boxes.answered();
  ASSERT_EQ(answered.size(), 1u);
  EXPECT_EQ(answered[0].title, L"Pelikar");
  const std::vector<std::wstring> lines = Lines(answered[0].text);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], L"Error in the Pelikar font installer: the font could not be installed.");
  EXPECT_EQ(lines[1], L"check the path and name of the font file,");
  EXPECT_EQ(lines[2], L"if your ttf is in Fonts directory there is no need for path .");
  EXPECT_EQ(lines[3],
            L">>>if you use path it will be copy IF dont use path just you install font");
  EXPECT_EQ(lines[4], L"its better that you copy fonts in setup programs.");
}

}  // namespace
}  // namespace pelikar::com_tests
