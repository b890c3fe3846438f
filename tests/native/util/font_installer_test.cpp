#include "util/font_installer.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "service_doubles.h"

namespace pelikar::util {
namespace {

using test::FakeMachine;
using test::MemoryFileSystem;
using test::RecordingFontRegistry;
using test::RecordingMessageBoxes;

TEST(FontCopyTarget, ThePartAfterTheLastBackslashInTheFontsDirectory) {
  const struct {
    CodeView fontName;
    CodeView windows;
    std::optional<CodeString> target;
  } cases[] = {
      {"nivo2.ttf", "C:\\WINDOWS", std::nullopt},
      {"Z:/fonts/x.ttf", "C:\\WINDOWS", std::nullopt},  // no backslash: no copy
      {"D:\\a\\b\\c.TTF", "C:\\WINDOWS", "C:\\WINDOWS\\FONTS\\c.TTF"},
      {"D:\\x.ttf", "C:\\", "C:\\FONTS\\x.ttf"},  // Windows at a drive's root
      {"D:\\fonts\\", "C:\\WINDOWS", "C:\\WINDOWS\\FONTS\\"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FontCopyTarget(c.fontName, c.windows), c.target) << c.fontName;
  }
}

class InstallFontTest : public testing::Test {
 protected:
  bool Install(CodeView fontName) {
    return InstallFont({machine_, files_, fonts_, messages_}, fontName);
  }

  FakeMachine machine_;
  MemoryFileSystem files_;
  RecordingFontRegistry fonts_;
  RecordingMessageBoxes messages_;
};

TEST_F(InstallFontTest, ABareNameIsRegisteredWithoutACopy) {
  EXPECT_TRUE(Install("nivo2.ttf"));
  EXPECT_TRUE(files_.copies.empty());
  EXPECT_EQ(fonts_.registered, std::vector<CodeString>{"nivo2.ttf"});
  EXPECT_EQ(fonts_.broadcasts, 1);
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(InstallFontTest, APathIsCopiedThenRegisteredAsGiven) {
  EXPECT_TRUE(Install("D:\\fonts\\x.ttf"));
  ASSERT_EQ(files_.copies.size(), 1u);
  EXPECT_EQ(files_.copies[0].first, "D:\\fonts\\x.ttf");
  EXPECT_EQ(files_.copies[0].second, "C:\\WINDOWS\\FONTS\\x.ttf");
  EXPECT_EQ(fonts_.registered, std::vector<CodeString>{"D:\\fonts\\x.ttf"});
  EXPECT_EQ(fonts_.broadcasts, 1);
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(InstallFontTest, AFailingCopyShowsTheFiveLinesAndGivesFalse) {
  files_.failCopies = true;
  EXPECT_FALSE(Install("D:\\no\\such.ttf"));
  EXPECT_TRUE(fonts_.registered.empty());
  EXPECT_EQ(fonts_.broadcasts, 0);
  // The wording is checked on the platform; here its five lines, ended by code 13 alone.
  ASSERT_EQ(messages_.shown.size(), 1u);
  const std::string& text = messages_.shown[0];
  EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 4) << text;
  EXPECT_EQ(text.find('\n'), std::string::npos) << text;
  EXPECT_NE(text.find("Pelikar font installer"), std::string::npos) << text;
}

TEST_F(InstallFontTest, AnUnknownWindowsDirectoryIsAFailingCopy) {
  machine_.windowsDirectory.clear();
  EXPECT_FALSE(Install("D:\\fonts\\x.ttf"));
  EXPECT_TRUE(files_.copies.empty());
  EXPECT_EQ(messages_.shown.size(), 1u);
}

}  // namespace
}  // namespace pelikar::util
